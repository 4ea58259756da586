#pragma once
// What a schema-11 Anki collection is made of besides its notes and cards: the tables, and
// the JSON that its single col row holds (configuration, note types, decks, deck options).
// Every Anki since 2.1, and the importers of other programs, read this layout.

#include <cstdint>
#include <string>
#include <vector>

// The note type an export makes: one field per attribute, a card from the sort field to the
// other fields and, when reverse, one back the other way.
struct sAnkiNoteTypeLayout {
    int64_t id = 0;
    std::string name;
    std::vector<std::string> fields; // UTF-8, unique, usable in a template
    uint32_t sortField = 0;
    bool reverse = false;
    int64_t deckId = 0;
};

struct sAnkiDeckLayout {
    int64_t id = 0;
    std::string name;
    std::string description; // HTML
};

// The tables of schema 11, and its indexes, which are quicker made once the rows are in.
extern const char* const AnkiSchema11Tables;
extern const char* const AnkiSchema11Indexes;

std::string AnkiConfigurationJson(const sAnkiNoteTypeLayout& type);
std::string AnkiNoteTypesJson(const sAnkiNoteTypeLayout& type, int64_t modifiedSeconds);
// The deck and Anki's "Default" deck, which every collection has.
std::string AnkiDecksJson(const sAnkiDeckLayout& deck, int64_t modifiedSeconds);
std::string AnkiDeckOptionsJson();

// The field positions the reverse card asks, in field order: every field but the sort field.
std::vector<uint32_t> AnkiReverseFields(const sAnkiNoteTypeLayout& type);
