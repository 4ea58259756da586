#include "exchange/Imports.h"

#include "dbfile/FileFailure.h"
#include "exchange/AnkiPackageImport.h"
#include "exchange/ErganeImport.h"
#include "exchange/QuizAppImport.h"
#include "exchange/TextImport.h"
#include "text/TextIds.h"

namespace {

const char* QuizAppFailureReason(int result) {
    switch (result) {
    case QuizAppResultNotFlashcards:
        return "a multiple-choice module, not flashcards";
    case QuizAppResultShortHeader:
        return "too short for a module header";
    case QuizAppResultShortAppInfo:
        return "its module information is cut short";
    case QuizAppResultShortRecordList:
        return "its record list is cut short";
    case QuizAppResultBadCard:
        return "a card cannot be read";
    case QuizAppResultUnknownType:
        return "not a QuizApp module";
    default:
        return "cannot be read as a QuizApp module";
    }
}

// The import's own result, before any reason is given for it.
int Import(eImportFormat format, cDatabase& db, const std::string& path, const char*& reason) {
    switch (format) {
    case eImportFormat::VeskText:
    case eImportFormat::TabDelimited:
        reason = format == eImportFormat::VeskText ? "cannot be read as Vesk Text"
                                                   : "cannot be read as tab-delimited text";
        return ImportTextFile(db, path, format == eImportFormat::VeskText) == 0 ? 0
                                                                                : TextImportFailed;
    case eImportFormat::Ergane:
        reason = "cannot be read as an Ergane word list";
        return ImportErganeFile(db, path) == ErganeResultOk ? 0 : TextImportFailed;
    case eImportFormat::QuizApp: {
        const int result = ImportQuizAppModule(db, path);
        reason = QuizAppFailureReason(result);
        return QuizAppFailureText(result);
    }
    case eImportFormat::AnkiPackage: {
        reason = "cannot be read as an Anki package";
        std::string why;
        const int result = ImportAnkiPackage(db, path, why);
        if (result != AnkiImportOk && !why.empty() && LastFileFailure().reason.empty())
            RecordFileFailure(path, why);
        return result == AnkiImportOk ? 0 : TextImportFailed;
    }
    }
    return TextImportFailed;
}

} // namespace

int ImportFile(eImportFormat format, cDatabase& db, const std::string& path) {
    ClearFileFailure();
    const char* reason = "";
    const int failureText = Import(format, db, path, reason);
    // A reader that failed to read the file, or a parser that said where it failed, has
    // given the better reason already.
    if (failureText != 0 && LastFileFailure().reason.empty())
        RecordFileFailure(path, reason);
    return failureText;
}
