#include "exchange/AnkiCollectionRead.h"

#include <algorithm>
#include <unordered_map>

#include <nlohmann/json.hpp>

#include "exchange/ProtobufFields.h"
#include "exchange/SqliteDatabase.h"

namespace {

using nlohmann::json;

// The tables every layout has, then those of each layout.
const char* const kCommonTables[] = {"col", "notes", "cards"};
const char* const kNewerTables[] = {"notetypes", "fields", "decks"};

constexpr char kNewerLevelSeparator = '\x1f';
// A newer deck's kind: a message whose field 1 is the normal deck's, in which field 4 is the
// description (Anki's decks.proto, Deck.KindContainer and Deck.Normal).
constexpr uint32_t kKindNormalField = 1;
constexpr uint32_t kNormalDescriptionField = 4;

bool RequireTables(cSqliteDatabase& db, const char* const* tables, size_t count,
                   std::string& reason) {
    for (size_t i = 0; i < count; ++i) {
        if (!db.hasTable(tables[i])) {
            reason = std::string("the collection has no table ") + tables[i];
            return false;
        }
    }
    return true;
}

// Parsed JSON takes up to about 16 times its text; real collections describe their note
// types and decks in far less than this.
constexpr int64_t kMaxJsonLength = 4 << 20;

// The text of the single row of col's column, parsed; a discarded value when it is no JSON
// or longer than kMaxJsonLength.
json ColumnJson(cSqliteDatabase& db, const char* column) {
    cSqliteStatement query(db, (std::string("SELECT ") + column + " FROM col LIMIT 1").c_str());
    if (!query.step() || query.length(0) > kMaxJsonLength)
        return json(json::value_t::discarded);
    return json::parse(query.text(0), nullptr, false);
}

int64_t IdOfKey(const std::string& key, bool& valid) {
    char* end = nullptr;
    const long long id = std::strtoll(key.c_str(), &end, 10);
    valid = !key.empty() && end && *end == '\0';
    return id;
}

bool ReadSchema11Types(cSqliteDatabase& db, sAnkiCollection& collection, std::string& reason) {
    reason = "the collection's note types cannot be read";
    const json models = ColumnJson(db, "models");
    if (!models.is_object())
        return false;
    for (const auto& [key, model] : models.items()) {
        bool valid = false;
        const int64_t id = IdOfKey(key, valid);
        if (!valid || !model.is_object())
            return false;
        std::vector<std::string>& names = collection.fieldNames[id];
        const auto fields = model.find("flds");
        if (fields == model.end() || !fields->is_array())
            continue;
        for (const json& field : *fields) {
            if (!field.is_object() || !field.contains("name") || !field["name"].is_string())
                return false;
            names.push_back(field["name"].get<std::string>());
        }
    }
    const json decks = ColumnJson(db, "decks");
    if (!decks.is_object()) {
        reason = "the collection's decks cannot be read";
        return false;
    }
    for (const auto& [key, deck] : decks.items()) {
        bool valid = false;
        const int64_t id = IdOfKey(key, valid);
        if (!valid || !deck.is_object())
            continue;
        sAnkiDeck& entry = collection.decks[id];
        if (deck.contains("name") && deck["name"].is_string())
            entry.name = deck["name"].get<std::string>();
        if (deck.contains("desc") && deck["desc"].is_string())
            entry.description = deck["desc"].get<std::string>();
    }
    return true;
}

bool ReadNewerTypes(cSqliteDatabase& db, sAnkiCollection& collection, std::string& reason) {
    if (!RequireTables(db, kNewerTables, std::size(kNewerTables), reason))
        return false;
    reason = "the collection's note types cannot be read";
    cSqliteStatement types(db, "SELECT id FROM notetypes ORDER BY id");
    while (types.step())
        collection.fieldNames[types.integer(0)];
    cSqliteStatement fields(db, "SELECT ntid, name FROM fields ORDER BY ntid, ord");
    while (fields.step()) {
        const auto type = collection.fieldNames.find(fields.integer(0));
        if (type != collection.fieldNames.end())
            type->second.push_back(fields.text(1));
    }
    cSqliteStatement decks(db, "SELECT id, name, kind FROM decks ORDER BY id");
    while (decks.step()) {
        std::string name = decks.text(1);
        for (size_t at = name.find(kNewerLevelSeparator); at != std::string::npos;
             at = name.find(kNewerLevelSeparator, at + 2))
            name.replace(at, 1, "::");
        sAnkiDeck& deck = collection.decks[decks.integer(0)];
        deck.name = name;
        std::string normal;
        if (FindProtobufBytes(decks.text(2), kKindNormalField, normal))
            FindProtobufBytes(normal, kNormalDescriptionField, deck.description);
    }
    if (types.failed() || fields.failed() || decks.failed()) {
        reason = "the collection's note types or decks cannot be read";
        return false;
    }
    return true;
}

bool ReadNotes(cSqliteDatabase& db, sAnkiCollection& collection, std::string& reason) {
    reason = "the collection's notes cannot be read";
    collection.notes.reserve(static_cast<size_t>(collection.noteCount));
    std::unordered_map<int64_t, size_t> positions;
    positions.reserve(static_cast<size_t>(collection.noteCount));
    cSqliteStatement notes(db, "SELECT id, mid, tags, flds FROM notes ORDER BY id");
    while (notes.step()) {
        // More rows than counted: the table changed under the count, or lies.
        if (collection.notes.size() >= collection.noteCount)
            return false;
        const int64_t type = notes.integer(1);
        const auto fieldNames = collection.fieldNames.find(type);
        if (fieldNames == collection.fieldNames.end()) {
            reason = "a note's note type is not described in the collection";
            return false;
        }
        if (fieldNames->second.empty()) {
            reason = "a note type names no fields";
            return false;
        }
        positions.emplace(notes.integer(0), collection.notes.size());
        collection.notes.push_back({type, notes.text(3), notes.text(2), {}});
    }
    if (notes.failed())
        return false;
    cSqliteStatement cards(db, "SELECT nid, did FROM cards ORDER BY nid, ord");
    while (cards.step()) {
        const auto position = positions.find(cards.integer(0));
        if (position == positions.end())
            continue;
        std::vector<int64_t>& decks = collection.notes[position->second].decks;
        const int64_t deck = cards.integer(1);
        if (std::find(decks.begin(), decks.end(), deck) == decks.end())
            decks.push_back(deck);
    }
    if (cards.failed()) {
        reason = "the collection's cards cannot be read";
        return false;
    }
    return true;
}

} // namespace

eAnkiRead ReadAnkiCollection(std::string& image, uint64_t maxNotes, sAnkiCollection& collection,
                             std::string& reason) {
    cSqliteDatabase db;
    const bool opened = db.openImage(image, reason);
    std::string().swap(image);
    if (!opened)
        return eAnkiRead::Failed;
    if (!RequireTables(db, kCommonTables, std::size(kCommonTables), reason))
        return eAnkiRead::Failed;
    {
        cSqliteStatement count(db, "SELECT count(*) FROM notes");
        if (!count.step()) {
            reason = "the collection's notes cannot be read";
            return eAnkiRead::Failed;
        }
        collection.noteCount = static_cast<uint64_t>(std::max<int64_t>(0, count.integer(0)));
    }
    if (collection.noteCount > maxNotes)
        return eAnkiRead::TooManyNotes;
    bool read = false;
    try {
        read = db.hasTable("notetypes") ? ReadNewerTypes(db, collection, reason)
                                        : ReadSchema11Types(db, collection, reason);
    } catch (const json::exception&) {
        read = false;
    }
    if (!read || !ReadNotes(db, collection, reason)) {
        if (db.overBudget())
            reason = "the collection takes more work to read than its size allows";
        return eAnkiRead::Failed;
    }
    return eAnkiRead::Read;
}
