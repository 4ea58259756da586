// Anki packages in: the packages other programs wrote, hostile packages, and the limits.

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <zstd.h>

#include <sstream>

#include "dbfile/FileFailure.h"
#include "exchange/Imports.h"
#include "exchange/ZipArchive.h"
#include "model/Database.h"
#include "support/AnkiDescription.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "text/TextIds.h"

namespace {

const std::string kFixtures = VESK_ANKI_FIXTURES;

// A collection's database file from SQL, through SQLite itself.
std::string Collection(const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_int64 size = 0;
    unsigned char* bytes = sqlite3_serialize(db, "main", &size, 0);
    std::string image(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
    sqlite3_free(bytes);
    sqlite3_close(db);
    return image;
}

const char* const kSchema11 =
    "CREATE TABLE col (id integer PRIMARY KEY, crt, mod, scm, ver, dty, usn, ls, conf, models, "
    "decks, dconf, tags);"
    "CREATE TABLE notes (id integer PRIMARY KEY, guid, mid, mod, usn, tags, flds, sfld, csum, "
    "flags, data);"
    "CREATE TABLE cards (id integer PRIMARY KEY, nid, did, ord, mod, usn, type, queue, due, ivl, "
    "factor, reps, lapses, left, odue, odid, flags, data);";

// A schema-11 collection whose note type 1 has the fields named, with the notes given as
// (fields, tags), every card in deck 1.
std::string Schema11(const std::string& fieldsJson,
                     const std::vector<std::pair<std::string, std::string>>& notes) {
    std::ostringstream sql;
    sql << kSchema11
        << "INSERT INTO col VALUES (1,0,0,0,11,0,0,0,'{}','{\"1\": {\"flds\": " << fieldsJson
        << "}}','{\"1\": {\"name\": \"Default\"}}','{}','{}');";
    int id = 1;
    for (const auto& [fields, tags] : notes) {
        sql << "INSERT INTO notes VALUES (" << id << ",'g',1,0,0,'" << tags << "','" << fields
            << "','',0,0,'');INSERT INTO cards VALUES (" << id << "," << id
            << ",1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,'');";
        ++id;
    }
    return Collection(sql.str());
}

std::string Zip(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string bytes;
    EXPECT_TRUE(WriteZipArchive(entries, bytes));
    return bytes;
}

std::string Zstd(const std::string& bytes) {
    std::string out(ZSTD_compressBound(bytes.size()), '\0');
    out.resize(ZSTD_compress(&out[0], out.size(), bytes.data(), bytes.size(), 1));
    return out;
}

struct sImport {
    int result;
    std::string reason;
    std::string description;
    std::vector<cRecordingSink::cShown> shown;
    size_t filesLeft; // in the package's folder, the package included
};

sImport ImportBytes(const std::string& package) {
    cTempDir dir;
    const std::string path = dir.file("in.apkg");
    std::ofstream(path, std::ios::binary) << package;
    cRecordingSink sink;
    cDatabase db;
    ClearFileFailure();
    const int result = ImportFile(eImportFormat::AnkiPackage, db, path);
    return {result, LastFileFailure().reason, DescribeDatabase(db), sink.shown, dir.entryCount()};
}

std::string ReadFixture(const std::string& name) {
    std::ifstream in(kFixtures + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(AnkiPackageImport, ReadsThePackagesOfOtherPrograms) {
    struct sCase {
        const char* file;
        const char* database;
        const char* summary;
    };
    const sCase cases[] = {
        {"anki-apkg-export.apkg",
         "name: Spanish Words\n"
         "description: \n"
         "attributes: U Front, U Back\n"
         "term 0: Front=la casa | Back=the house\n"
         "term 1: Front=el perro | Back=the dog\\n(animal)\n"
         "term 2: Front=café & té | Back=coffee <and> tea\n"
         "term 3: Front=el gato\\nla gata | Back=the cat\n"
         "term 4: Front=日本語 | Back=Japanese\n"
         "category nouns: 0 1\n"
         "category chapter_1: 0\n"
         "category animals: 1 3\n"
         "category unicode: 4\n",
         "5 notes became terms. Scheduling, review history and media files are not imported."
         "\n\n2 sound and picture references were left out."},
        // The placeholder collection.anki2 beside the newer collection must not win; notes of
        // two note types share the fields of the same name.
        {"newer-layout.apkg",
         "name: \n"
         "description: \n"
         "attributes: U Front, U Back, U Word, U Reading\n"
         "term 0: Front=Hello\\nworld | Back=こんにちは\n"
         "term 1: Back=to eat | Word=食べる | Reading=たべる\n"
         "term 2: Front=<tag> & co | Back=line 1\\nline 2\n"
         "category greeting: 0\n"
         "category Japanese::Nouns: 0 2\n"
         "category verb: 1\n"
         "category jlpt5: 1\n"
         "category Japanese::Verbs: 1 2\n",
         "3 notes became terms. Scheduling, review history and media files are not imported."
         "\n\n1 sound and picture references were left out."},
        {"anki21-layout.colpkg",
         "name: French\n"
         "description: Words & phrases\r\\nfrom class\n"
         "attributes: U Front, U Back\n"
         "term 0: Front=bonjour | Back=hello\n"
         "term 1: Front=merci | Back=thank you\n"
         "category fr: 0\n",
         "2 notes became terms. Scheduling, review history and media files are not imported."},
    };
    for (const sCase& c : cases) {
        const sImport imported = ImportBytes(ReadFixture(c.file));
        EXPECT_EQ(imported.result, 0) << c.file << ": " << imported.reason;
        EXPECT_EQ(imported.description, c.database) << c.file;
        ASSERT_EQ(imported.shown.size(), 1u) << c.file;
        EXPECT_EQ(imported.shown[0].text, c.summary) << c.file;
    }
}

TEST(AnkiPackageImport, HostilePackagesFailClearlyAndWriteNothing) {
    const std::string good = Schema11("[{\"name\": \"Front\"}]", {{"a", ""}});
    std::string damaged = good;
    for (size_t i = 100; i < damaged.size(); i += 7)
        damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
    // 48 MB of nothing packs into a few kilobytes: far past 24 times the package.
    const std::string nothing(48u << 20, '\0');
    // 65,532 notes of 128 one-letter fields: 16 MB that pack well, but 8 million values.
    std::string fields128 = "[";
    for (int f = 0; f < 128; ++f)
        fields128 += std::string(f ? "," : "") + "{\"name\": \"F" + std::to_string(f) + "\"}";
    const std::string tinyFields = Collection(
        std::string(kSchema11) +
        "INSERT INTO col (models, decks) VALUES ('{\"1\": {\"flds\": " + fields128 +
        "]}}', '{}');"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 65532) "
        "INSERT INTO notes (id, mid, tags, flds) SELECT i, 1, '', "
        "replace(hex(zeroblob(127)), '00', 'a' || char(31)) || 'a' FROM n;");
    struct sCase {
        const char* label;
        std::string package;
        const char* reason;
    };
    const sCase cases[] = {
        {"not a zip", "collection.anki2 is not here", "not a zip archive"},
        {"empty zip", Zip({{"media", "{}"}}), "holds no collection"},
        {"path escape", Zip({{"../../evil", "x"}, {"collection.anki2", good}}),
         "outside its folder"},
        {"absolute path", Zip({{"/tmp/evil", "x"}, {"collection.anki2", good}}),
         "outside its folder"},
        {"zip bomb", Zip({{"collection.anki2", nothing}}), "would unpack to more"},
        {"zstd bomb", Zip({{"collection.anki21b", Zstd(nothing)}}), "would decompress to more"},
        {"not zstd", Zip({{"collection.anki21b", good}}), "not zstd-compressed"},
        {"cut zstd", Zip({{"collection.anki21b", Zstd(good).substr(0, 40)}}),
         "damaged or cut short"},
        {"not SQLite", Zip({{"collection.anki2", std::string(4096, 'x')}}),
         "not an SQLite database"},
        {"truncated SQLite", Zip({{"collection.anki2", good.substr(0, good.size() / 2)}}),
         "collection"},
        {"damaged SQLite", Zip({{"collection.anki2", damaged}}), "collection"},
        {"no cards table",
         Zip({{"collection.anki2",
               Collection("CREATE TABLE col (models); CREATE TABLE notes (id);")}}),
         "has no table cards"},
        {"no notetypes' fields",
         Zip({{"collection.anki21b",
               Zstd(Collection(std::string(kSchema11) + "CREATE TABLE notetypes (id);"))}}),
         "has no table fields"},
        {"note type without fields", Zip({{"collection.anki2", Schema11("[]", {{"a", ""}})}}),
         "names no fields"},
        {"models not JSON",
         Zip({{"collection.anki2",
               Collection(std::string(kSchema11) +
                          "INSERT INTO col (models, decks) VALUES ('{\"1\": [', '{}');"
                          "INSERT INTO notes (id, mid) VALUES (1, 1);")}}),
         "note types cannot be read"},
        {"tiny fields", Zip({{"collection.anki2", tinyFields}}), "more memory than"},
        {"unknown note type",
         Zip({{"collection.anki2", Collection(std::string(kSchema11) +
                                              "INSERT INTO col (models, decks) VALUES ('{}', '{}');"
                                              "INSERT INTO notes (id, mid) VALUES (1, 9);")}}),
         "not described"},
    };
    for (const sCase& c : cases) {
        const sImport imported = ImportBytes(c.package);
        EXPECT_EQ(imported.result, TextImportFailed) << c.label;
        EXPECT_NE(imported.reason.find(c.reason), std::string::npos)
            << c.label << ": " << imported.reason;
        EXPECT_EQ(imported.filesLeft, 1u) << c.label;
    }
}

TEST(AnkiPackageImport, MoreNotesThanADatabaseHoldsFailWithTheirCount) {
    const std::string collection = Collection(
        std::string(kSchema11) +
        "INSERT INTO col (models, decks) VALUES ('{\"1\": {\"flds\": [{\"name\": \"F\"}]}}', "
        "'{}');"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 65533) "
        "INSERT INTO notes (id, mid, tags, flds) SELECT i, 1, '', 'x' FROM n;");
    const sImport imported = ImportBytes(Zip({{"collection.anki2", collection}}));
    EXPECT_EQ(imported.result, TextImportFailed);
    ASSERT_FALSE(imported.shown.empty());
    EXPECT_EQ(imported.shown[0].text,
              "The package holds 65533 notes, more than a database can hold (65532).");
}

TEST(AnkiPackageImport, WhatDoesNotFitTheLimitsIsCounted) {
    // 130 fields and 130 tags: 128 attributes and 127 categories fit (one category is left
    // for the "Uncategorized" one a save adds). Tags and field names are UTF-8 that
    // Windows-1252 partly cannot hold.
    std::string fields = "[";
    std::string values, tags;
    for (int i = 0; i < 130; ++i) {
        fields += std::string(i ? "," : "") + "{\"name\": \"F" + std::to_string(i) + "\"}";
        values += std::string(i ? "\x1f" : "") + "v" + std::to_string(i);
        tags += " t" + std::to_string(i);
    }
    fields += ",{\"name\": \"Ω\"}]";
    const sImport imported =
        ImportBytes(Zip({{"collection.anki2", Schema11(fields, {{values, tags + " ж"}})}}));
    ASSERT_EQ(imported.result, 0) << imported.reason;
    EXPECT_NE(imported.description.find("U F127\n"), std::string::npos);
    EXPECT_EQ(imported.description.find("F128"), std::string::npos);
    EXPECT_NE(imported.description.find("category t126: 0\n"), std::string::npos);
    EXPECT_EQ(imported.description.find("category t127"), std::string::npos);
    ASSERT_EQ(imported.shown.size(), 1u);
    EXPECT_EQ(imported.shown[0].text,
              "1 notes became terms. Scheduling, review history and media files are not "
              "imported.\n\n4 tags and decks did not fit the 127 categories an import fills and "
              "were left out.\n\n3 fields did not fit the 128 attributes and were left out.");
}

TEST(AnkiPackageImport, ANewerCollectionsOneDeckNamesAndDescribesTheDatabase) {
    // The deck's kind: field 1 (the normal deck) holding config id 1 and field 4, the
    // description "Irregular<br>verbs".
    const std::string collection = Collection(
        std::string(kSchema11) +
        "CREATE TABLE notetypes (id, name); CREATE TABLE fields (ntid, ord, name);"
        "CREATE TABLE decks (id, name, kind);"
        "INSERT INTO notetypes VALUES (5, 'Basic');"
        "INSERT INTO fields VALUES (5, 1, 'Back'), (5, 0, 'Front');"
        "INSERT INTO decks VALUES (9, 'German' || char(31) || 'Verbs', "
        "x'0a16080122124972726567756c61723c62723e7665726273');"
        "INSERT INTO notes (id, mid, tags, flds) VALUES (1, 5, '', 'gehen' || char(31) || 'go');"
        "INSERT INTO cards (id, nid, did, ord) VALUES (1, 1, 9, 0);");
    const sImport imported = ImportBytes(Zip({{"collection.anki21b", Zstd(collection)}}));
    ASSERT_EQ(imported.result, 0) << imported.reason;
    EXPECT_EQ(imported.description, "name: German::Verbs\n"
                                    "description: Irregular\r\\nverbs\n"
                                    "attributes: U Front, U Back\n"
                                    "term 0: Front=gehen | Back=go\n");
}
