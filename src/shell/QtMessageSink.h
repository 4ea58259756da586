#pragma once
// The editor's message sink: message boxes through the platform, owned by the main window,
// and status texts in the main window's status bar.

#include "text/Messages.h"

class cQtMessageSink : public cMessageSink {
public:
    int showMessage(const std::string& caption, const std::string& text, unsigned flags) override;
    void showStatus(const std::string& text) override;
};
