#include "exchange/AnkiPackageExport.h"

#include <algorithm>
#include <chrono>
#include <unordered_map>
#include <vector>

#include "dbfile/FileFailure.h"
#include "dbfile/SafeSave.h"
#include "exchange/AnkiCollectionLayout.h"
#include "exchange/AnkiHtml.h"
#include "exchange/AnkiValueText.h"
#include "exchange/Sha1.h"
#include "exchange/SqliteDatabase.h"
#include "exchange/ZipArchive.h"
#include "model/Database.h"

namespace {

constexpr char kFieldSeparator = '\x1f';
// Anki's identifiers are times in milliseconds; derived ones stay in that range.
constexpr int64_t kDerivedIdBase = 1000000000000;
constexpr uint64_t kDerivedIdSpan = 1000000000000;

// The 91 characters of Anki's note GUIDs.
const char kGuidAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
                             "!#$%&()*+,-./:;<=>?@[]^_`{|}~";

uint64_t Hash64(const std::string& text) {
    const std::array<uint8_t, 20> digest = Sha1(text);
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
        value = value << 8 | digest[i];
    return value;
}

int64_t DerivedId(const std::string& text) {
    return kDerivedIdBase + static_cast<int64_t>(Hash64(text) % kDerivedIdSpan);
}

std::string Guid(uint64_t value) {
    std::string guid;
    do {
        guid.insert(guid.begin(), kGuidAlphabet[value % 91]);
        value /= 91;
    } while (value != 0);
    return guid;
}

// Field names as Anki takes them: unique, not empty, without the characters a template
// reference cannot hold and without a leading '#', '/' or '^'.
std::vector<std::string> FieldNames(const cDatabase& db) {
    std::vector<std::string> names;
    for (const cAttribute* attribute : Items<cAttribute>(db.attributes)) {
        std::string name = AnsiTextToUtf8(attribute->name.textOrEmpty());
        for (char& c : name)
            if (c == ':' || c == '{' || c == '}' || c == '"' || c == '\x1f' || c == '\n' ||
                c == '\r')
                c = '_';
        while (!name.empty() &&
               (name[0] == '#' || name[0] == '/' || name[0] == '^' || name[0] == ' '))
            name.erase(0, 1);
        if (name.empty())
            name = "Field " + std::to_string(names.size() + 1);
        const std::string base = name;
        for (int copy = 2; std::find(names.begin(), names.end(), name) != names.end(); ++copy)
            name = base + " " + std::to_string(copy);
        names.push_back(name);
    }
    if (names.empty())
        names.push_back("Front");
    return names;
}

struct sNoteRow {
    std::string guid;
    std::string fields;
    std::string sortField;
    uint32_t checksum = 0;
    bool hasReverse = false;
};

class cCollectionWriter {
public:
    cCollectionWriter(const cDatabase& db, const sAnkiExportOptions& options)
        : db_(db), options_(options) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        nowMs_ = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
        nowSeconds_ = nowMs_ / 1000;
    }

    bool write(std::string& image) {
        const std::string name =
            db_.name.isEmpty() ? options_.fallbackName : AnsiTextToUtf8(db_.name.text());
        type_.name = name;
        type_.fields = FieldNames(db_);
        type_.sortField =
            options_.displayAttribute < type_.fields.size() ? options_.displayAttribute : 0;
        type_.reverse = options_.reverse && type_.fields.size() > 1;
        std::string typeKey = "note type\x1f" + name;
        for (const std::string& field : type_.fields)
            typeKey += kFieldSeparator + field;
        type_.id = DerivedId(typeKey);
        deck_.name = name;
        deck_.id = DerivedId("deck\x1f" + name);
        deck_.description = AnkiTextToHtml(AnsiTextToUtf8(db_.description.textOrEmpty()));
        type_.deckId = deck_.id;

        return sqlite_.openEmpty() && sqlite_.exec(AnkiSchema11Tables) && sqlite_.exec("BEGIN") &&
               writeCol() && writeNotes() && sqlite_.exec(AnkiSchema11Indexes) &&
               sqlite_.exec("COMMIT") && sqlite_.serialize(image);
    }

private:
    bool writeCol() {
        cSqliteStatement col(sqlite_,
                             "INSERT INTO col VALUES (1, ?, ?, ?, 11, 0, 0, 0, ?, ?, ?, ?, "
                             "'{}')");
        col.bind(1, nowSeconds_ - nowSeconds_ % 86400);
        col.bind(2, nowMs_);
        col.bind(3, nowMs_);
        col.bind(4, AnkiConfigurationJson(type_));
        col.bind(5, AnkiNoteTypesJson(type_, nowSeconds_));
        col.bind(6, AnkiDecksJson(deck_, nowSeconds_));
        col.bind(7, AnkiDeckOptionsJson());
        return col.run();
    }

    sNoteRow noteRow(const cTerm& term, std::unordered_map<std::string, uint32_t>& seen) {
        const size_t fieldCount = type_.fields.size();
        std::vector<std::string> html(fieldCount);
        std::vector<std::string> texts = TermTextsUtf8(term, db_.attributes.count());
        for (size_t f = 0; f < texts.size() && f < fieldCount; ++f)
            html[f] = AnkiTextToHtml(texts[f]);
        sNoteRow row;
        for (size_t f = 0; f < fieldCount; ++f) {
            if (f != 0)
                row.fields += kFieldSeparator;
            row.fields += html[f];
            if (f != type_.sortField && !html[f].empty())
                row.hasReverse = type_.reverse;
        }
        row.sortField = AnkiStripHtml(html[type_.sortField]);
        row.checksum = AnkiFieldChecksum(AnkiStripHtml(html[0]));
        // The same term exported again keeps its GUID, so that Anki updates its note instead
        // of adding one: the database, the sort field, and which of the equal ones it is.
        const uint32_t occurrence = seen[row.sortField]++;
        row.guid = Guid(Hash64(deck_.name + kFieldSeparator + html[type_.sortField] +
                               kFieldSeparator + std::to_string(occurrence)));
        return row;
    }

    bool writeNotes() {
        cSqliteStatement note(sqlite_,
                              "INSERT INTO notes VALUES (?, ?, ?, ?, -1, ?, ?, ?, ?, 0, '')");
        cSqliteStatement card(sqlite_,
                              "INSERT INTO cards VALUES (?, ?, ?, ?, ?, -1, 0, 0, ?, 0, 0, 0, "
                              "0, 0, 0, 0, 0, '')");
        const std::vector<std::string> tags = AnkiTagsOfTerms(db_);
        std::unordered_map<std::string, uint32_t> seen;
        int64_t position = 0;
        for (const cTerm* term : Items<cTerm>(db_.terms)) {
            const sNoteRow row = noteRow(*term, seen);
            const int64_t noteId = nowMs_ + position;
            note.bind(1, noteId);
            note.bind(2, row.guid);
            note.bind(3, type_.id);
            note.bind(4, nowSeconds_);
            const std::string& termTags = tags[static_cast<size_t>(position)];
            note.bind(5, termTags.empty() ? termTags : " " + termTags + " ");
            note.bind(6, row.fields);
            note.bind(7, row.sortField);
            note.bind(8, static_cast<int64_t>(row.checksum));
            if (!note.run())
                return false;
            for (int ord = 0; ord < (row.hasReverse ? 2 : 1); ++ord) {
                card.bind(1, nowMs_ + 2 * position + ord);
                card.bind(2, noteId);
                card.bind(3, deck_.id);
                card.bind(4, ord);
                card.bind(5, nowSeconds_);
                card.bind(6, position + 1);
                if (!card.run())
                    return false;
            }
            ++position;
        }
        return true;
    }

    const cDatabase& db_;
    const sAnkiExportOptions& options_;
    cSqliteDatabase sqlite_;
    sAnkiNoteTypeLayout type_;
    sAnkiDeckLayout deck_;
    int64_t nowMs_ = 0;
    int64_t nowSeconds_ = 0;
};

} // namespace

int ExportAnkiPackage(const cDatabase& db, const std::string& path,
                      const sAnkiExportOptions& options) {
    std::string collection;
    std::string package;
    if (!cCollectionWriter(db, options).write(collection) ||
        !WriteZipArchive({{"collection.anki2", collection}, {"media", "{}"}}, package)) {
        RecordFileFailure(path, "the Anki collection could not be built");
        return 1;
    }
    std::string().swap(collection);
    return SafeSaveFile(path, package.data(), package.size()) == 0 ? 0 : 1;
}
