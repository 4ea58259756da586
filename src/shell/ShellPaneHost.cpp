#include "shell/ShellPaneHost.h"

#include <QLineEdit>

#include "panes/CommandIds.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "shell/PinyinHook.h"
#include "shell/Platform.h"
#include "shell/Toolbar.h"
#include "shell/ViewSettings.h"

void cShellPaneHost::setCommandEnabled(int command, bool enabled) {
    SetButtonState(command, enabled ? ButtonEnabled : ButtonDisabled);
}

void cShellPaneHost::setAcceleratorsEnabled(bool enabled) {
    AppState().acceleratorsEnabled = enabled;
}

eInputMode cShellPaneHost::inputMode() const {
    return AppState().inputMode;
}

int cShellPaneHost::displayAttribute() const {
    return AppState().displayAttribute;
}

void cShellPaneHost::setDisplayAttribute(int attribute) {
    SetDisplayAttribute(attribute);
}

void cShellPaneHost::rebuildDisplayAttributeMenu() {
    RebuildDisplayAttributeMenu();
}

void cShellPaneHost::valueEditorOpened(QLineEdit& editor, bool unicodeAttribute) {
    if (unicodeAttribute)
        AttachPinyinHook(editor);
}

int cShellPaneHost::messageBox(const QString& caption, const QString& text, unsigned flags) {
    return CurrentPlatform().messageBox(MainWindow(), caption, text, flags);
}

QString cShellPaneHost::clipboardText() {
    return CurrentPlatform().clipboardText();
}

bool cShellPaneHost::clipboardHasText() {
    return CurrentPlatform().clipboardHasText();
}

void cShellPaneHost::setClipboardText(const QString& text) {
    CurrentPlatform().setClipboardText(text);
}
