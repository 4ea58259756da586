#pragma once
// The shell's side of the panes' host interface.

#include "panes/PaneHost.h"

class cShellPaneHost : public cPaneHost {
public:
    void setCommandEnabled(int command, bool enabled) override;
    void setAcceleratorsEnabled(bool enabled) override;
    eInputMode inputMode() const override;
    int displayAttribute() const override;
    void setDisplayAttribute(int attribute) override;
    void rebuildDisplayAttributeMenu() override;
    void valueEditorOpened(QLineEdit& editor, bool unicodeAttribute) override;
    int messageBox(const QString& caption, const QString& text, unsigned flags) override;
    QString clipboardText() override;
    bool clipboardHasText() override;
    void setClipboardText(const QString& text) override;
};
