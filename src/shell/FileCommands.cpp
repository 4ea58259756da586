#include "shell/FileCommands.h"

#include "dbfile/DatabaseCheck.h"
#include "dbfile/DatabaseFiles.h"
#include "dbfile/FileFailure.h"
#include "document/Document.h"
#include "exchange/AnkiPackageExport.h"
#include "exchange/AnkiTextExport.h"
#include "exchange/Imports.h"
#include "exchange/TextExport.h"
#include "model/Database.h"
#include "panes/CommandIds.h"
#include "shell/AnkiExportDialog.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/DelimitedCommands.h"
#include "shell/FailureStatus.h"
#include "shell/FileDialogs.h"
#include "shell/FileWatch.h"
#include "shell/MainWindow.h"
#include "shell/OpenDatabase.h"
#include "shell/PinyinFileOptions.h"
#include "shell/RecentMenu.h"
#include "shell/Settings.h"
#include "text/Messages.h"
#include "text/TextIds.h"

#include <algorithm>
#include <functional>

namespace {

std::string ChooseFile(const sFileDialogRequest& request, bool forSaving) {
    QString path = forSaving ? CurrentPlatform().saveFileName(MainWindow(), request)
                             : CurrentPlatform().openFileName(MainWindow(), request);
    return path.isEmpty() ? std::string() : PathFromDialog(path);
}

int SaveToPath() {
    cDocument& document = CurrentDocument();
    ClearFileFailure();
    if (document.save() != 0) {
        ShowTableMessage(TextCaptionError, SaveFailureText(document.database()), MessageOk);
        ShowFailureReason();
        return CommandFailed;
    }
    return CommandDone;
}

} // namespace

int OpenCommand() {
    if (SavePrompt("before opening another database?"))
        return CommandNotHandled;
    std::string path = ChooseFile(OpenDatabaseDialog, false);
    if (path.empty())
        return CommandFailed;
    return OpenDatabaseFile(path, false) == 0 ? CommandDone : CommandFailed;
}

int OpenFileCommand(const std::string& path) {
    if (SavePrompt("before opening another database?"))
        return CommandNotHandled;
    return OpenDatabaseFile(path, false) == 0 ? CommandDone : CommandFailed;
}

int MergeCommand() {
    std::string path = ChooseFile(MergeDatabaseDialog, false);
    if (path.empty())
        return CommandFailed;
    return MergeChosenFile(path);
}

int ImportCommand(int command) {
    const char* reason = "before importing a text file?";
    const sFileDialogRequest* dialog = &ImportTextDialog;
    eImportFormat format =
        command == CmdImportVeskText ? eImportFormat::VeskText : eImportFormat::TabDelimited;
    if (command == CmdImportErgane) {
        reason = "before importing an Ergane-exported unicode file?";
        dialog = &ImportErganeDialog;
        format = eImportFormat::Ergane;
    } else if (command == CmdImportQuizApp) {
        reason = "before importing a QuizApp module?";
        dialog = &ImportQuizAppDialog;
        format = eImportFormat::QuizApp;
    } else if (command == CmdImportAnkiPackage) {
        reason = "before importing an Anki package?";
        dialog = &ImportAnkiPackageDialog;
        format = eImportFormat::AnkiPackage;
    }
    if (SavePrompt(reason))
        return CommandNotHandled;
    const bool text = format == eImportFormat::VeskText || format == eImportFormat::TabDelimited;
    std::string path = text ? ChoosePinyinTextFile(*dialog, false) : ChooseFile(*dialog, false);
    if (path.empty())
        return CommandFailed;
    cDatabase imported;
    if (int failureText = ImportFile(format, imported, path)) {
        ShowTableMessage(TextCaptionError, failureText, MessageOk);
        ShowFailureReason();
        return CommandDone;
    }
    if (text && !ConvertImportedPinyin(imported))
        return CommandFailed;
    CurrentDocument().replace(imported, true);
    const unsigned terms = CurrentDocument().database().terms.count();
    if (terms == 1)
        ShowStatusText(TextOneTermImported);
    else
        ShowStatusCount(TextTermsImported, terms);
    return CommandDone;
}

namespace {

// Asks for the file (with the pinyin box for text), then writes it with exportTo (the open
// database or its copy with pinyin in tone numbers, the path): 0 written.
int ExportThrough(const sFileDialogRequest& dialog, bool text,
                  const std::function<int(const cDatabase&, const std::string&)>& exportTo) {
    std::string path = text ? ChoosePinyinTextFile(dialog, true) : ChooseFile(dialog, true);
    if (path.empty())
        return CommandFailed;
    cDatabase converted;
    const cDatabase* written = text
                                   ? PinyinNumbersForExport(CurrentDocument().database(), converted)
                                   : &CurrentDocument().database();
    if (!written)
        return CommandFailed;
    ClearFileFailure();
    if (exportTo(*written, path) != 0) {
        ShowTableMessage(TextCaptionError, TextSaveFailed, MessageOk);
        ShowFailureReason();
    } else
        ShowStatusText(TextDatabaseExported);
    return CommandDone;
}

} // namespace

int ExportCommand(bool ownFormat) {
    return ExportThrough(ExportTextDialog, true,
                         [ownFormat](const cDatabase& db, const std::string& path) {
                             return ExportTextFile(db, path, ownFormat);
                         });
}

int ExportAnkiCommand(bool package) {
    if (!package)
        return ExportThrough(ExportAnkiTextDialog, false, ExportAnkiText);
    sAnkiExportOptions options;
    options.displayAttribute = static_cast<uint32_t>(std::max(0, AppState().displayAttribute));
    if (!AskAnkiExportOptions(MainWindow(), options.reverse))
        return CommandFailed;
    return ExportThrough(ExportAnkiPackageDialog, false,
                         [&options](const cDatabase& db, const std::string& path) {
                             return ExportAnkiPackage(db, path, options);
                         });
}

int SaveCommand() {
    if (CurrentDocument().database().path.isEmpty())
        return SaveAsCommand();
    switch (ConfirmSaveOverOpenFile()) {
    case SaveElsewhere:
        return SaveAsCommand();
    case SaveNothing:
        return CommandFailed;
    default:
        break;
    }
    int result = SaveToPath();
    if (result != CommandDone)
        return result;
    RememberOpenFile();
    ShowStatusText(TextDatabaseSaved);
    return CommandDone;
}

int SaveAsCommand() {
    std::string path = ChooseFile(SaveDatabaseDialog(), true);
    if (path.empty())
        return CommandFailed;
    ClearFileFailure();
    if (CurrentDocument().saveAs(path) != 0) {
        ShowFailureReason();
        return CommandFailed;
    }
    RememberOpenFile();
    AddRecentFile(path);
    RebuildRecentMenu();
    ShowStatusText(TextDatabaseSaved);
    return CommandDone;
}
