#pragma once
// Import of QuizApp flashcard modules: PDB files whose app-info block describes the module
// and whose records each hold one zlib-compressed card. No limits are applied.

#include <string>

class cDatabase;

enum : int {
    QuizAppResultOk = 0,
    QuizAppResultCannotOpen = 1,
    QuizAppResultNotFlashcards = 2, // a QuizApp module of type "mult"
    QuizAppResultShortHeader = 3,
    QuizAppResultShortAppInfo = 4,
    QuizAppResultShortRecordList = 5,
    QuizAppResultBadCard = 6, // a card record that cannot be read or decompressed
    QuizAppResultUnknownType = 10,
};

// Fills db, which should be fresh and empty, from the module at path. On any result but
// QuizAppResultOk db may hold part of the module and is to be discarded.
int ImportQuizAppModule(cDatabase& db, const std::string& path);

// The string-table text that reports a result of ImportQuizAppModule; 0 for success.
int QuizAppFailureText(int result);
