#pragma once
// What the panes need from the editor around them. The shell implements it; the panes stay
// below the shell and never call into it directly.

#include "panes/InputMode.h"

#include <QString>

class QLineEdit;

class cPaneHost {
public:
    virtual ~cPaneHost() = default;
    // Enables or greys a command's menu item, toolbar button and context item.
    virtual void setCommandEnabled(int command, bool enabled) = 0;
    // Off while an in-place editor is open, so that its keys reach the editor.
    virtual void setAcceleratorsEnabled(bool enabled) = 0;
    virtual eInputMode inputMode() const = 0;

    // The display attribute of the term pane and the View > Display Attribute menu.
    virtual int displayAttribute() const = 0;
    virtual void setDisplayAttribute(int attribute) = 0;
    virtual void rebuildDisplayAttributeMenu() = 0;

    // The value pane opened an editor on a value of a Unicode (or Ascii) attribute; the
    // shell converts pinyin tone numbers while the user types into a Unicode one.
    virtual void valueEditorOpened(QLineEdit& editor, bool unicodeAttribute) = 0;

    // A modal message box with a text that is not in the string table (flags and result as
    // in text/Messages.h).
    virtual int messageBox(const QString& caption, const QString& text, unsigned flags) = 0;

    // The system clipboard, as plain text.
    virtual QString clipboardText() = 0;
    virtual bool clipboardHasText() = 0;
    virtual void setClipboardText(const QString& text) = 0;
};
