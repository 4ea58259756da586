#pragma once
// The shell's side of the panes' host interface.

#include "panes/PaneHost.h"

class cShellPaneHost : public cPaneHost {
public:
    void databaseChanged() override;
    void setCommandEnabled(int command, bool enabled) override;
    void setAcceleratorsEnabled(bool enabled) override;
    void attributesChanged() override;
};
