// Anki packages and text for Anki out: what Anki reads from our package, read back with
// SQLite; the round trip through our own import; the text file.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <fstream>
#include <set>

#include "exchange/AnkiPackageExport.h"
#include "exchange/AnkiTextExport.h"
#include "exchange/Imports.h"
#include "exchange/ZipArchive.h"
#include "model/Database.h"
#include "support/AnkiDescription.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace {

using nlohmann::json;

// Verbs: Word (Ascii), Meaning (Unicode), Note (Ascii); the first term in two categories.
void FillVerbs(cDatabase& db, const char* firstCategory) {
    db.name.assign("Verbs");
    db.description.assign("Irregular\r\nones");
    db.attributes.append(new cAttribute(MediaTypeAscii, "Word"));
    db.attributes.append(new cAttribute(MediaTypeUnicode, "Meaning"));
    db.attributes.append(new cAttribute(MediaTypeAscii, "Note"));
    const char* words[] = {"gehen", "sein", "M\xFCller", "sein"};
    const char16_t* meanings[] = {u"to go <&> \"there\"", u"to be", u"miller \u00e9\u4e2d", u""};
    for (int t = 0; t < 4; ++t) {
        auto* term = new cTerm;
        term->changeValues().append(new cAsciiValue(0, words[t]));
        if (*meanings[t])
            term->changeValues().append(new cUnicodeValue(1, meanings[t]));
        if (t == 0)
            term->changeValues().append(new cAsciiValue(2, "line1\\nline2\\\\"));
        db.terms.append(term);
    }
    db.categories.append(new cCategory(0, firstCategory));
    db.categories.append(new cCategory(0, "hard"));
    db.category(0)->addMember(0);
    db.category(1)->addMember(0);
    db.category(1)->addMember(2);
}

struct sNote {
    std::string guid, tags, fields, sortField;
    int64_t checksum, cards;
};

struct sPackage {
    std::string media;
    json col;
    std::vector<sNote> notes;
    std::set<int64_t> cardOrds;
};

// Reads the package as Anki would: the zip, then the collection with SQLite.
sPackage ReadPackage(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const std::vector<uint8_t> package(bytes.begin(), bytes.end());
    cZipReader zip;
    std::string reason, collection;
    sPackage read;
    EXPECT_TRUE(zip.open(package, reason) && zip.read("media", 100, read.media, reason) &&
                zip.read("collection.anki2", 1 << 24, collection, reason))
        << reason;

    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    auto* image = static_cast<unsigned char*>(sqlite3_malloc64(collection.size()));
    std::copy(collection.begin(), collection.end(), image);
    EXPECT_EQ(sqlite3_deserialize(db, "main", image, collection.size(), collection.size(),
                                  SQLITE_DESERIALIZE_FREEONCLOSE),
              SQLITE_OK);
    auto text = [](sqlite3_stmt* row, int column) {
        const auto* chars = sqlite3_column_text(row, column);
        return chars ? std::string(reinterpret_cast<const char*>(chars)) : std::string();
    };
    sqlite3_stmt* row = nullptr;
    sqlite3_prepare_v2(db, "SELECT ver, models, decks FROM col", -1, &row, nullptr);
    if (sqlite3_step(row) == SQLITE_ROW)
        read.col = {{"ver", sqlite3_column_int(row, 0)},
                    {"models", json::parse(text(row, 1))},
                    {"decks", json::parse(text(row, 2))}};
    sqlite3_finalize(row);
    sqlite3_prepare_v2(db,
                       "SELECT guid, tags, flds, sfld, csum, (SELECT count(*) FROM cards WHERE "
                       "nid = notes.id AND did <> 1 AND type = 0 AND queue = 0) FROM notes "
                       "ORDER BY id",
                       -1, &row, nullptr);
    while (sqlite3_step(row) == SQLITE_ROW)
        read.notes.push_back({text(row, 0), text(row, 1), text(row, 2), text(row, 3),
                              sqlite3_column_int64(row, 4), sqlite3_column_int64(row, 5)});
    sqlite3_finalize(row);
    sqlite3_prepare_v2(db, "SELECT DISTINCT ord FROM cards", -1, &row, nullptr);
    while (sqlite3_step(row) == SQLITE_ROW)
        read.cardOrds.insert(sqlite3_column_int64(row, 0));
    sqlite3_finalize(row);
    sqlite3_close(db);
    return read;
}

} // namespace

TEST(AnkiPackageExport, WritesTheCollectionAnkiReads) {
    cDatabase db;
    FillVerbs(db, "Chapter 1");
    cTempDir dir;
    cRecordingSink sink;
    sAnkiExportOptions options;
    options.displayAttribute = 1;
    options.reverse = true;
    ASSERT_EQ(ExportAnkiPackage(db, dir.file("verbs.apkg"), options), 0);
    const sPackage package = ReadPackage(dir.file("verbs.apkg"));

    EXPECT_EQ(package.media, "{}");
    EXPECT_EQ(package.col["ver"], 11);
    const json& models = package.col["models"];
    ASSERT_EQ(models.size(), 1u);
    const json& model = models.begin().value();
    EXPECT_EQ(model["name"], "Verbs");
    EXPECT_EQ(model["id"].dump(), models.begin().key());
    EXPECT_EQ(model["flds"][0]["name"], "Word");
    EXPECT_EQ(model["flds"][1]["name"], "Meaning");
    EXPECT_EQ(model["flds"][2]["name"], "Note");
    EXPECT_EQ(model["sortf"], 1);
    ASSERT_EQ(model["tmpls"].size(), 2u);
    EXPECT_EQ(model["tmpls"][0]["qfmt"], "{{Meaning}}");
    EXPECT_EQ(model["tmpls"][0]["afmt"],
              "{{FrontSide}}\n\n<hr id=answer>\n\n{{Word}}<br>\n{{Note}}");
    EXPECT_EQ(model["tmpls"][1]["qfmt"], "{{Word}}<br>\n{{Note}}");
    const json& deck = package.col["decks"][std::to_string(model["did"].get<int64_t>())];
    EXPECT_EQ(deck["name"], "Verbs");
    EXPECT_EQ(deck["desc"], "Irregular<br>ones");

    ASSERT_EQ(package.notes.size(), 4u);
    EXPECT_EQ(package.notes[0].fields,
              "gehen\x1fto go &lt;&amp;&gt; &quot;there&quot;\x1fline1<br>line2\\");
    EXPECT_EQ(package.notes[2].fields, "M\xC3\xBCller\x1fmiller \xC3\xA9\xE4\xB8\xAD\x1f");
    EXPECT_EQ(package.notes[0].tags, " Chapter_1 hard ");
    EXPECT_EQ(package.notes[1].tags, "");
    EXPECT_EQ(package.notes[2].tags, " hard ");
    // The sort field is the display attribute without its HTML; the checksum is Anki's, of
    // the first field: the first 32 bits of SHA-1("gehen").
    EXPECT_EQ(package.notes[0].sortField, "to go <&> \"there\"");
    EXPECT_EQ(package.notes[0].checksum, 4220157861);
    // Every note is new in the deck, with its reverse card when it has an other field.
    EXPECT_EQ(package.notes[0].cards, 2);
    EXPECT_EQ(package.notes[3].cards, 2);
    EXPECT_EQ(package.cardOrds, (std::set<int64_t>{0, 1}));

    // GUIDs differ between notes, the two "sein" included, and stay from export to export.
    std::set<std::string> guids;
    for (const sNote& note : package.notes)
        guids.insert(note.guid);
    EXPECT_EQ(guids.size(), 4u);
    options.reverse = false;
    ASSERT_EQ(ExportAnkiPackage(db, dir.file("again.apkg"), options), 0);
    const sPackage again = ReadPackage(dir.file("again.apkg"));
    for (size_t n = 0; n < 4; ++n)
        EXPECT_EQ(again.notes[n].guid, package.notes[n].guid);
    EXPECT_EQ(again.col["models"].begin().value()["tmpls"].size(), 1u);
    EXPECT_EQ(again.cardOrds, (std::set<int64_t>{0}));
}

TEST(AnkiPackageExport, RoundTripKeepsTermsValuesAndCategories) {
    cDatabase db;
    FillVerbs(db, "Chapter1");
    db.terms.append(new cTerm); // a term without values
    cTempDir dir;
    cRecordingSink sink;
    ASSERT_EQ(ExportAnkiPackage(db, dir.file("verbs.apkg"), {}), 0);
    cDatabase imported;
    ASSERT_EQ(ImportFile(eImportFormat::AnkiPackage, imported, dir.file("verbs.apkg")), 0);
    // Ascii attributes come back Unicode, with the same texts.
    EXPECT_EQ(DescribeDatabase(imported, false), DescribeDatabase(db, false));
    for (const cAttribute* attribute : Items<cAttribute>(imported.attributes))
        EXPECT_EQ(attribute->mediaType, MediaTypeUnicode);
}

TEST(AnkiTextExport, WritesAnkisHeaderAndQuotesWhatNeedsIt) {
    cDatabase db;
    FillVerbs(db, "Chapter 1");
    cTempDir dir;
    ASSERT_EQ(ExportAnkiText(db, dir.file("verbs.txt")), 0);
    std::ifstream in(dir.file("verbs.txt"), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(text, "#separator:tab\n"
                    "#html:false\n"
                    "#columns:Word\tMeaning\tNote\tTags\n"
                    "#tags column:4\n"
                    "gehen\t\"to go <&> \"\"there\"\"\"\t\"line1\nline2\\\"\tChapter_1 hard\n"
                    "sein\tto be\t\t\n"
                    "M\xC3\xBCller\tmiller \xC3\xA9\xE4\xB8\xAD\t\thard\n"
                    "sein\t\t\t\n");

    // Without categories there is no tags column.
    db.categories.clear();
    ASSERT_EQ(ExportAnkiText(db, dir.file("plain.txt")), 0);
    std::ifstream plain(dir.file("plain.txt"), std::ios::binary);
    std::string head;
    std::getline(plain, head);
    std::getline(plain, head);
    std::getline(plain, head);
    EXPECT_EQ(head, "#columns:Word\tMeaning\tNote");
    std::getline(plain, head);
    EXPECT_EQ(head, "gehen\t\"to go <&> \"\"there\"\"\"\t\"line1");
}
