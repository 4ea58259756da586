#include "shell/EditBoxCommands.h"

#include <QLineEdit>

#include "panes/CommandIds.h"
#include "panes/Panes.h"
#include "shell/AppState.h"
#include "shell/MainWindow.h"
#include "shell/Platform.h"

namespace {

QLineEdit* OpenEditBox() {
    cMainWindow* window = MainWindow();
    return window ? window->panes().openEditor() : nullptr;
}

// Switches, pages and dialogs that neither read nor change the rows of a pane.
bool LeavesPanesAlone(int command) {
    switch (command) {
    case CmdPinyin:
    case CmdPinyinStandard:
    case CmdInputNormal:
    case CmdInputOneTerm:
    case CmdInputOneAttribute:
    case CmdHelpContents:
    case CmdHomePage:
    case CmdDownload:
    case CmdAbout:
        return true;
    default:
        return false;
    }
}

} // namespace

bool RunEditBoxCommand(int command) {
    if (command != CmdCut && command != CmdCopy && command != CmdPaste && command != CmdDelete &&
        command != CmdUndo && command != CmdRedo)
        return false;
    QLineEdit* editor = OpenEditBox();
    if (!editor)
        return false;
    cPlatform& platform = CurrentPlatform();
    switch (command) {
    case CmdCopy:
        if (editor->hasSelectedText())
            platform.setClipboardText(editor->selectedText());
        break;
    case CmdCut:
        if (editor->hasSelectedText()) {
            platform.setClipboardText(editor->selectedText());
            editor->del();
        }
        break;
    case CmdPaste:
        if (platform.clipboardHasText())
            editor->insert(platform.clipboardText());
        break;
    case CmdUndo:
        editor->undo();
        break;
    case CmdRedo:
        editor->redo();
        break;
    default:
        editor->del();
        break;
    }
    MainWindow()->panes().updateCommandState();
    return true;
}

void EndEditBeforeCommand(int command) {
    if (cMainWindow* window = MainWindow())
        if (!LeavesPanesAlone(command))
            window->panes().commitOpenEdit();
}
