#pragma once
// Export as an Anki package (.apkg): a zip archive of collection.anki2, a schema-11 SQLite
// collection (AnkiCollectionLayout.h), and media, the empty JSON object. The collection holds
// one note type named after the database with one field per attribute, one deck named after
// the database and described by its description, and one note per term with its category
// names as tags.

#include <cstdint>
#include <string>

class cDatabase;

struct sAnkiExportOptions {
    // The attribute the cards ask, and the notes sort by.
    uint32_t displayAttribute = 0;
    // Also a card from the other fields back to the display attribute.
    bool reverse = false;
    // Names the deck and note type when the database has no name.
    std::string fallbackName = "Vesk-Builder";
};

// Writes db to the package at path. Returns 0 when it was written and 1 when it could not be
// (the previous file at path is then unchanged).
int ExportAnkiPackage(const cDatabase& db, const std::string& path,
                      const sAnkiExportOptions& options);
