#pragma once
// Import of the word lists that the Ergane dictionary program exports as UTF-16 text: one
// term per entry, with the entry line as Unicode attribute 0 and the meaning as Unicode
// attribute 1, both named from the file's first line. No limits are applied.

#include <string>

class cDatabase;

enum : int {
    ErganeResultOk = 0,
    ErganeResultCannotOpen = 2,
};

// Fills db, which should be fresh and empty, from the word list at path. Whatever the file
// holds is read; the only failure is a file that cannot be read (ErganeResultCannotOpen).
int ImportErganeFile(cDatabase& db, const std::string& path);
