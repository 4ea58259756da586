// The dispatcher: every command number of the menus, context menus, toolbar and
// accelerators ends here.

#include "shell/Commands.h"

#include <new>

#include "document/Document.h"
#include "model/Database.h"
#include "panes/AttributePane.h"
#include "panes/CategoryPane.h"
#include "panes/CommandIds.h"
#include "panes/InputMode.h"
#include "panes/ListView.h"
#include "panes/Panes.h"
#include "panes/TermPane.h"
#include "panes/ValuePane.h"
#include "shell/AppState.h"
#include "shell/DelimitedCommands.h"
#include "shell/Dialogs.h"
#include "shell/EditBoxCommands.h"
#include "shell/FileCommands.h"
#include "shell/Find.h"
#include "shell/FindDialog.h"
#include "shell/Launch.h"
#include "shell/MainWindow.h"
#include "shell/OpenDatabase.h"
#include "shell/PinyinStyleCommand.h"
#include "shell/Settings.h"
#include "shell/Toolbar.h"
#include "shell/ViewSettings.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

int InputModeStatusText(eInputMode mode) {
    switch (mode) {
    case eInputMode::OneTerm:
        return TextOneTermInput;
    case eInputMode::OneAttribute:
        return TextOneAttributeInput;
    case eInputMode::Normal:
        break;
    }
    return TextNormalInput;
}

int SetInputMode(eInputMode mode) {
    AppState().inputMode = mode;
    UpdateInputMenu();
    ShowStatusText(InputModeStatusText(mode));
    return CommandDone;
}

int TogglePinyin() {
    bool& conversion = AppState().pinyinConversion;
    conversion = !conversion;
    ShowStatusText(conversion ? TextPinyinOn : TextPinyinOff);
    UpdateInputMenu();
    return CommandDone;
}

int NewDatabase() {
    if (SavePrompt("before creating a new database?"))
        return CommandNotHandled;
    if (RunNewDatabaseDialog(MainWindow()) != 1 || !CurrentDocument().isOpen())
        return CommandNotHandled;
    ExecuteCommand(CmdProperties);
    return CommandDone;
}

int OpenRecent(int command) {
    const size_t entry = static_cast<size_t>(command - CmdRecentFirst);
    if (entry >= Settings.recentFiles.size())
        return CommandNotHandled;
    if (SavePrompt("before opening another database?"))
        return CommandDone;
    // Copied: opening reorders the list the entry lives in.
    const std::string path = Settings.recentFiles[entry];
    return OpenDatabaseFile(path, false) == 0 ? CommandDone : CommandFailed;
}

int NewTerm() {
    if (CurrentDocument().database().attributes.count() == 0) {
        ShowTableMessage(TextCaptionInstructions, TextNeedAttribute, MessageOk);
        return CommandFailed;
    }
    MainWindow()->termPane().newTerm();
    return CommandDone;
}

int Launch(const char* page) {
    OpenHelpPage(page);
    return CommandDone;
}

// Delete, Cut, Copy and Paste act on the pane that has the keyboard focus.
int FocusedPaneCommand(int command) {
    cPanes& panes = MainWindow()->panes();
    cListView* focused = panes.focusedPane();
    if (focused == panes.terms().view()) {
        cTermPane& terms = panes.terms();
        if (command == CmdDelete)
            terms.deleteSelectedTerms();
        else if (command == CmdCut)
            terms.cutTerms();
        else if (command == CmdCopy)
            terms.copyTerms();
        else
            terms.pasteTerms();
    } else if (focused == panes.values().view()) {
        cValuePane& values = panes.values();
        if (command == CmdDelete)
            values.deleteValue();
        else if (command == CmdCut)
            values.cutValue();
        else if (command == CmdCopy)
            values.copyValue();
        else
            values.pasteValue();
    } else if (command == CmdDelete && focused == panes.categories().view()) {
        panes.categories().deleteSelectedCategory();
    } else if (command == CmdDelete && focused == panes.attributes().view()) {
        panes.attributes().deleteSelectedAttribute();
    }
    return CommandDone;
}

int PaneCommand(int command) {
    cPanes& panes = MainWindow()->panes();
    switch (command) {
    case CmdNewTerm:
    case CmdTermNew:
        return NewTerm();
    case CmdNewCategory:
    case CmdCategoryNew:
        panes.categories().newCategory();
        return CommandDone;
    case CmdNewAsciiAttribute:
    case CmdAttributeNewAscii:
        panes.attributes().newAttribute(MediaTypeAscii);
        return CommandDone;
    case CmdNewUnicodeAttribute:
    case CmdAttributeNewUnicode:
        panes.attributes().newAttribute(MediaTypeUnicode);
        return CommandDone;
    case CmdDelete:
    case CmdCut:
    case CmdCopy:
    case CmdPaste:
        return FocusedPaneCommand(command);
    case CmdTermDelete:
        panes.terms().deleteSelectedTerms();
        return CommandDone;
    case CmdTermCut:
        panes.terms().cutTerms();
        return CommandDone;
    case CmdTermCopy:
        panes.terms().copyTerms();
        return CommandDone;
    case CmdTermPaste:
        panes.terms().pasteTerms();
        return CommandDone;
    case CmdCategoryDelete:
        panes.categories().deleteSelectedCategory();
        return CommandDone;
    case CmdSelectMembers:
        panes.categories().selectMembers();
        return CommandDone;
    case CmdAttributeDelete:
        panes.attributes().deleteSelectedAttribute();
        return CommandDone;
    default:
        return CommandNotHandled;
    }
}

} // namespace

namespace {

int RunCommand(int command) {
    if (RunEditBoxCommand(command))
        return CommandDone;
    EndEditBeforeCommand(command);
    if (command >= CmdRecentFirst && command < CmdDisplayAttributeFirst)
        return OpenRecent(command);
    if (command >= CmdDisplayAttributeFirst && command < CmdDisplayAttributeEnd) {
        if (command - CmdDisplayAttributeFirst >=
            static_cast<int>(CurrentDocument().database().attributes.count()))
            return CommandNotHandled;
        SetDisplayAttribute(command - CmdDisplayAttributeFirst);
        return CommandDone;
    }
    switch (command) {
    case CmdUndo:
        CurrentDocument().undo();
        return CommandDone;
    case CmdRedo:
        CurrentDocument().redo();
        return CommandDone;
    case CmdExit:
        if (MainWindow())
            MainWindow()->close();
        return CommandDone;
    case CmdNewDatabase:
        return NewDatabase();
    case CmdOpen:
        return OpenCommand();
    case CmdMerge:
        return MergeCommand();
    case CmdImportVeskText:
    case CmdImportTabDelimited:
    case CmdImportErgane:
    case CmdImportQuizApp:
    case CmdImportAnkiPackage:
        return ImportCommand(command);
    case CmdExportVeskText:
    case CmdExportTabDelimited:
        return ExportCommand(command == CmdExportVeskText);
    case CmdExportAnkiPackage:
    case CmdExportAnkiText:
        return ExportAnkiCommand(command == CmdExportAnkiPackage);
    case CmdImportDelimited:
    case CmdImportTabWithOptions:
        return ImportDelimitedCommand(command == CmdImportTabWithOptions ? u'\t' : 0);
    case CmdExportDelimited:
        return ExportDelimitedCommand();
    case CmdSave:
        return SaveCommand();
    case CmdSaveAs:
        return SaveAsCommand();
    case CmdProperties:
        RunPropertiesDialog(MainWindow());
        return CommandDone;
    case CmdFind:
        if (ShowFindDialog(MainWindow()) == 1)
            FindNext();
        return CommandDone;
    case CmdFindNext:
        FindNext();
        return CommandDone;
    case CmdFont:
        if (ChooseUserFont())
            ApplyUserFont();
        return CommandDone;
    case CmdInputNormal:
        return SetInputMode(eInputMode::Normal);
    case CmdInputOneTerm:
        return SetInputMode(eInputMode::OneTerm);
    case CmdInputOneAttribute:
        return SetInputMode(eInputMode::OneAttribute);
    case CmdPinyin:
        return TogglePinyin();
    case CmdPinyinStandard:
        return TogglePinyinStyle();
    case CmdHelpContents:
        return Launch(HelpContentsPage);
    case CmdHomePage:
        return Launch(HomePage);
    case CmdDownload:
        return Launch(DownloadPage);
    case CmdAbout:
        RunAboutDialog(MainWindow());
        return CommandDone;
    default:
        return MainWindow() ? PaneCommand(command) : CommandNotHandled;
    }
}

} // namespace

int ExecuteCommand(int command) {
    // Opening, importing and merging build what they read apart from the open database, so
    // a command that runs out of memory leaves that database as it was.
    try {
        return RunCommand(command);
    } catch (const std::bad_alloc&) {
        ShowTableMessage(TextCaptionError, TextOutOfMemory, MessageOk);
        return CommandFailed;
    }
}
