#pragma once
// The imports by kind, with the message each failure is reported by; the editor's
// import commands and the vesk tool share it.

#include <string>

class cDatabase;

enum class eImportFormat {
    VeskText,
    TabDelimited,
    Ergane,
    QuizApp,
    AnkiPackage,
};

// Imports the file into db, which must be fresh and empty and is to be thrown away on
// failure. 0 on success; otherwise the string-table text to show under TextCaptionError
// (TextImportFailed, TextQuizAppNotFlashcards or TextQuizAppUnknownType), with the reason
// recorded for path (FileFailure.h). A parse error has already shown its own "Line %d"
// message by then, an Anki package with too many notes its count.
int ImportFile(eImportFormat format, cDatabase& db, const std::string& path);
