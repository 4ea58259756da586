#include "shell/DelimitedCommands.h"

#include "dbfile/FileFailure.h"
#include "document/Document.h"
#include "exchange/DatabaseSplit.h"
#include "exchange/DelimitedExport.h"
#include "exchange/DelimitedImport.h"
#include "exchange/ImportMessages.h"
#include "exchange/PolicyMerge.h"
#include "model/Database.h"
#include "model/Limits.h"
#include "shell/AppState.h"
#include "shell/Commands.h"
#include "shell/DelimitedImportDialog.h"
#include "shell/DialogButtons.h"
#include "shell/FailureStatus.h"
#include "shell/FileDialogs.h"
#include "shell/MainWindow.h"
#include "shell/MergeDialog.h"
#include "shell/OpenDatabase.h"
#include "shell/PinyinFileOptions.h"
#include "text/CodePage.h"
#include "text/Messages.h"
#include "text/StringTable.h"
#include "text/TextIds.h"

namespace {

const sFileDialogRequest ImportDelimitedDialog = {
    "Import Delimited Text", "*.csv",
    "Delimited Text Files (*.csv *.CSV *.tsv *.TSV *.txt *.TXT);;All Files (*)", "*.csv", "CSV"};
const sFileDialogRequest ExportDelimitedDialog = {
    "Export Delimited Text", "*.csv", "Delimited Text Files (*.csv *.CSV)", "*.csv", "CSV"};
const sFileDialogRequest SplitDatabaseDialog = {
    "Save the Split Databases As", "*.PDB", "Vesk Database Files (*.PDB *.pdb)", "*.PDB", "PDB"};

std::string ChooseFile(const sFileDialogRequest& request, bool forSaving) {
    QString path = forSaving ? CurrentPlatform().saveFileName(MainWindow(), request)
                             : CurrentPlatform().openFileName(MainWindow(), request);
    return path.isEmpty() ? std::string() : PathFromDialog(path);
}

void ShowText(int captionId, const std::string& text) {
    CurrentMessageSink()->showMessage(ResourceString(captionId), text,
                                      MessageFlagsForCaption(captionId, MessageOk));
}

void ShowImportFailure(const sDelimitedError& error) {
    ShowText(TextCaptionError, FilledText(TextDelimitedFailed,
                                          {error.line == 0 ? error.reason
                                                           : "line " + std::to_string(error.line) +
                                                                 ": " + error.reason}));
}

void ShowSummary(const sImportCounts& counts) {
    CurrentMessageSink()->showStatus(ImportSummaryText(counts));
}

// Past the limit a new database is offered as several files; nothing is opened then.
int SplitOrRefuse(cDatabase& imported, size_t rows) {
    const std::string question =
        FilledText(TextRowsOverLimitSplit, {GroupedNumber(rows), GroupedNumber(MaxTermCount)});
    if (CurrentMessageSink()->showMessage(
            ResourceString(TextCaptionConfirm), question,
            MessageFlagsForCaption(TextCaptionConfirm, MessageYesNo)) != MessageResultYes)
        return CommandFailed;
    const std::string path = ChooseFile(SplitDatabaseDialog, true);
    if (path.empty())
        return CommandFailed;
    ClearFileFailure();
    const std::vector<std::string> written = WriteSplitDatabases(imported, path);
    if (written.empty()) {
        ShowFailureReason();
        return CommandDone;
    }
    CurrentMessageSink()->showStatus(FilledText(TextSplitWritten, {GroupedNumber(written.size())}));
    return CommandDone;
}

int ImportIntoOpen(const cDelimitedTable& table, const sDelimitedImportChoice& chosen) {
    sImportCounts counts;
    const uint32_t before = CurrentDocument().database().terms.count();
    const bool made = CurrentDocument().changeCopy("Import", [&](cDatabase& work) {
        sDelimitedError error;
        if (!ImportRows(work, table, chosen.mappings, chosen.policy, counts, error)) {
            ShowImportFailure(error);
            return false;
        }
        if (work.terms.count() > MaxTermCount) {
            ShowText(TextCaptionError,
                     FilledText(TextRowsOverLimit, {GroupedNumber(table.rowCount()),
                                                    GroupedNumber(MaxTermCount - before)}));
            return false;
        }
        return true;
    });
    if (made)
        ShowSummary(counts);
    return CommandDone;
}

} // namespace

int ImportDelimitedCommand(char16_t separator) {
    const std::string path = ChooseFile(ImportDelimitedDialog, false);
    if (path.empty())
        return CommandFailed;
    const cDocument& document = CurrentDocument();
    cDelimitedImportDialog dialog(MainWindow(), path,
                                  document.isOpen() ? &document.database() : nullptr, separator);
    if (CurrentPlatform().execDialog(dialog) != DialogOk)
        return CommandFailed;
    const sDelimitedImportChoice chosen = dialog.choice();
    if (!chosen.intoOpen && SavePrompt("before importing a text file?"))
        return CommandNotHandled;

    ClearFileFailure();
    cDelimitedTable table;
    sDelimitedError error;
    if (!ReadDelimitedFile(path, chosen.options, table, error)) {
        ShowImportFailure(error);
        ShowFailureReason();
        return CommandDone;
    }
    sDelimitedImportChoice whole = chosen;
    for (size_t column = 0; column < whole.mappings.size(); ++column)
        if (!whole.chosen[column] && whole.mappings[column].use == eColumnUse::NewAttribute)
            whole.mappings[column].mediaType = ProposeMediaType(table, column);
    if (chosen.intoOpen)
        return ImportIntoOpen(table, whole);

    cDatabase imported;
    sImportCounts counts;
    if (!ImportRows(imported, table, whole.mappings, {}, counts, error)) {
        ShowImportFailure(error);
        return CommandDone;
    }
    if (imported.terms.count() > MaxTermCount)
        return SplitOrRefuse(imported, table.rowCount());
    CurrentDocument().replace(imported, true);
    ShowSummary(counts);
    return CommandDone;
}

int ExportDelimitedCommand() {
    const std::string path = ChoosePinyinTextFile(ExportDelimitedDialog, true);
    if (path.empty())
        return CommandFailed;
    cDatabase converted;
    const cDatabase* written = PinyinNumbersForExport(CurrentDocument().database(), converted);
    if (!written)
        return CommandFailed;
    const cDatabase& db = *written;
    const bool categories =
        db.categories.count() != 0 && ShowTableMessage(TextCaptionConfirm, TextAskCategoriesColumn,
                                                       MessageYesNo) == MessageResultYes;
    ClearFileFailure();
    if (ExportDelimitedFile(db, path, categories) != 0) {
        ShowTableMessage(TextCaptionError, TextSaveFailed, MessageOk);
        ShowFailureReason();
    } else {
        ShowStatusText(TextDatabaseExported);
    }
    return CommandDone;
}

int MergeChosenFile(const std::string& path) {
    // Read quietly first for the key's choices; a file that does not load fails below as
    // Merge always has.
    cDatabase source;
    source.path.assign(path.c_str());
    QStringList keyNames;
    if (source.load() == 0) {
        for (const cAttribute* attribute : Items<cAttribute>(source.attributes))
            keyNames << QString::fromStdU16String(
                AnsiToWide(std::string(attribute->name.textOrEmpty())));
        cMergeDialog dialog(MainWindow(), keyNames);
        if (CurrentPlatform().execDialog(dialog) != DialogOk)
            return CommandFailed;
        const sDuplicatePolicy policy = dialog.policy();
        if (policy.policy != eDuplicatePolicy::AddAll) {
            sImportCounts counts;
            const bool made = CurrentDocument().changeCopy("Merge", [&](cDatabase& work) {
                std::string reason;
                if (MergeWithPolicy(work, source, policy, counts, reason))
                    return true;
                ShowTableMessage(TextCaptionError, TextMergeFailed, MessageOk);
                return false;
            });
            if (made)
                ShowSummary(counts);
            return CommandDone;
        }
    }
    ClearFileFailure();
    if (CurrentDocument().mergeFile(path) != 0) {
        ShowTableMessage(TextCaptionError, TextMergeFailed, MessageOk);
        ShowFailureReason();
    }
    return CommandDone;
}
