#pragma once
// Reading the notes of an Anki collection (an SQLite database) in either of its layouts:
//
//   layout       how it is told       note types and their fields      decks
//   schema 11    no table notetypes   col.models, JSON: {"<id>": {"flds": [{"name"}, ...]}}
//                                                                      col.decks, JSON:
//                                                                      {"<id>": {"name",
//                                                                      "desc"}}
//   newer (18)   table notetypes      tables notetypes and fields      table decks; names
//                                     (ntid, ord, name)                use 0x1F between levels,
//                                                                      the description is in
//                                                                      the kind message
//
// In both, table notes holds id, mid (the note type), tags (separated by spaces) and flds
// (the fields in note-type order, separated by 0x1F), and table cards ties each note (nid)
// to its decks (did). Scheduling, review history and media are not read.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct sAnkiNote {
    int64_t noteType = 0;
    // The fields as stored: HTML fragments separated by 0x1F.
    std::string fields;
    std::string tags;
    // The decks of the note's cards, each once, in the order the cards name them.
    std::vector<int64_t> decks;
};

struct sAnkiDeck {
    std::string name; // levels joined by "::"
    std::string description;
};

struct sAnkiCollection {
    // Every note type's field names, in field order (UTF-8).
    std::map<int64_t, std::vector<std::string>> fieldNames;
    std::map<int64_t, sAnkiDeck> decks;
    // In the order of their ids, which is the order they were added.
    std::vector<sAnkiNote> notes;
    // How many notes the collection holds, also when they were too many to read.
    uint64_t noteCount = 0;
};

enum class eAnkiRead { Read, Failed, TooManyNotes };

// Reads the collection whose database file is image, which is emptied once SQLite holds its
// copy. Failed, with reason, when it is no
// SQLite database, lacks a table, names a note type it does not describe or one without
// fields, or takes more work than its size allows; TooManyNotes, with noteCount set, when it
// holds more than maxNotes notes.
eAnkiRead ReadAnkiCollection(std::string& image, uint64_t maxNotes, sAnkiCollection& collection,
                             std::string& reason);
