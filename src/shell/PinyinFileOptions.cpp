#include "shell/PinyinFileOptions.h"

#include "exchange/PinyinColumns.h"
#include "model/Database.h"
#include "shell/AppState.h"
#include "shell/DialogButtons.h"
#include "shell/FileDialogs.h"
#include "shell/MainWindow.h"
#include "shell/PinyinColumnsDialog.h"
#include "shell/Settings.h"
#include "text/Messages.h"
#include "text/TextIds.h"

namespace {

bool HasUnicodeAttribute(const cDatabase& db) {
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes))
        if (attribute->mediaType == MediaTypeUnicode)
            return true;
    return false;
}

// Asks for the columns of db; false when there is none to ask for or the user cancelled.
bool AskColumns(const cDatabase& db, bool forImport, std::vector<uint32_t>& attributes,
                ePinyinStyle& style) {
    if (!HasUnicodeAttribute(db)) {
        ShowTableMessage(TextCaptionError, TextPinyinColumnsFailed, MessageOk);
        return false;
    }
    sPinyinFileChoices& choices = AppState().pinyinFiles;
    cPinyinColumnsDialog dialog(MainWindow(), db, forImport, choices.columns, Settings.pinyinStyle);
    if (CurrentPlatform().execDialog(dialog) != DialogOk)
        return false;
    attributes = dialog.chosenAttributes();
    style = dialog.style();
    choices.columns = dialog.chosenNames();
    return true;
}

} // namespace

std::string ChoosePinyinTextFile(const sFileDialogRequest& request, bool forExport) {
    sPinyinFileChoices& choices = AppState().pinyinFiles;
    bool& checked = forExport ? choices.numbersOnExport : choices.marksOnImport;
    const QString option = forExport ? QStringLiteral("Write pinyin with tone &numbers")
                                     : QStringLiteral("Convert pinyin tone &numbers to tone marks");
    QString path =
        CurrentPlatform().fileNameWithOption(MainWindow(), request, forExport, option, checked);
    return path.isEmpty() ? std::string() : PathFromDialog(path);
}

bool ConvertImportedPinyin(cDatabase& imported) {
    if (!AppState().pinyinFiles.marksOnImport)
        return true;
    std::vector<uint32_t> attributes;
    ePinyinStyle style = ePinyinStyle::Standard;
    if (!AskColumns(imported, true, attributes, style))
        return false;
    ConvertPinyinValues(imported, attributes, ePinyinDirection::ToMarks, style);
    return true;
}

const cDatabase* PinyinNumbersForExport(const cDatabase& db, cDatabase& copy) {
    if (!AppState().pinyinFiles.numbersOnExport)
        return &db;
    std::vector<uint32_t> attributes;
    ePinyinStyle style = ePinyinStyle::Standard;
    if (!AskColumns(db, false, attributes, style))
        return nullptr;
    copy.copyFrom(db);
    ConvertPinyinValues(copy, attributes, ePinyinDirection::ToNumbers, style);
    return &copy;
}
