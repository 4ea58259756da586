#include "exchange/Imports.h"

#include "exchange/ErganeImport.h"
#include "exchange/QuizAppImport.h"
#include "exchange/TextImport.h"

namespace {

constexpr int TextImportFailed = 96;

} // namespace

int ImportFile(eImportFormat format, cDatabase& db, const std::string& path) {
    switch (format) {
    case eImportFormat::VeskText:
    case eImportFormat::TabDelimited:
        return ImportTextFile(db, path, format == eImportFormat::VeskText) == 0 ? 0
                                                                                : TextImportFailed;
    case eImportFormat::Ergane:
        return ImportErganeFile(db, path) == ErganeResultOk ? 0 : TextImportFailed;
    case eImportFormat::QuizApp:
        return QuizAppFailureText(ImportQuizAppModule(db, path));
    }
    return TextImportFailed;
}
