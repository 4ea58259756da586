#pragma once
// Import of Anki packages (.apkg, and whole collections as .colpkg): a zip archive holding
// the collection in one of three layouts, tried newest first, because a newer package keeps
// a placeholder collection.anki2 beside its real one:
//
//   entry                 content
//   collection.anki21b    zstd-compressed SQLite, the newer schema (AnkiCollectionRead.h)
//   collection.anki21     SQLite, schema 11
//   collection.anki2      SQLite, schema 11
//
// Notes become terms; each distinct field name a Unicode attribute, in order of first
// appearance; tags and decks categories of group 0. When every note is in one deck, that deck
// names the database and describes it instead. Scheduling, review history and media are not
// imported; a summary says what was left out.

#include <string>

class cDatabase;

enum : int {
    AnkiImportOk = 0,
    AnkiImportFailed = 1,
    // More notes than a database holds; the message naming the count has been shown.
    AnkiImportTooManyNotes = 2,
};

// Fills db, which should be fresh and empty, from the package at path, and shows the summary.
// On failure reason says why (when the file could be read at all) and db is to be discarded.
int ImportAnkiPackage(cDatabase& db, const std::string& path, std::string& reason);

// The same from the collection's database file, once unpacked.
int ImportAnkiCollection(cDatabase& db, std::string image, std::string& reason);
