#include "exchange/TextExport.h"
#include "exchange/TextImport.h"

#include "model/Database.h"
#include "support/FailingFileSystem.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TextFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void AddAttribute(cDatabase& db, uint16_t mediaType, const char* name) {
    db.attributes.append(new cAttribute(mediaType, name));
}

cCategory* AddCategory(cDatabase& db, uint16_t group, const char* name) {
    return static_cast<cCategory*>(db.categories.append(new cCategory(group, name)));
}

cTerm* AddTerm(cDatabase& db) {
    return static_cast<cTerm*>(db.terms.append(new cTerm));
}

void AddValue(cTerm* term, uint16_t attribute, const char* text) {
    term->values.append(new cAsciiValue(attribute, text));
}

void AddValue(cTerm* term, uint16_t attribute, const char16_t* text) {
    term->values.append(new cUnicodeValue(attribute, text));
}

class TextExportTest : public ::testing::Test {
protected:
    std::vector<uint8_t> exported(const cDatabase& source, bool ownFormat) {
        std::string path = dir.file("out.txt");
        EXPECT_EQ(ExportTextFile(source, path, ownFormat), 0);
        return ReadBytes(path);
    }

    // Exports db and imports the file again into a fresh database.
    void roundTrip(cDatabase& back) {
        std::string path = dir.file("round.txt");
        ASSERT_EQ(ExportTextFile(db, path, true), 0);
        ASSERT_EQ(ImportTextFile(back, path, true), 0);
        EXPECT_TRUE(sink.shown.empty());
    }

    cTempDir dir;
    cRecordingSink sink;
    cDatabase db;
};

TEST_F(TextExportTest, UnicodeDatabaseWritesUtf16VeskText) {
    db.name.assign("D\xe9");
    AddAttribute(db, MediaTypeUnicode, "U");
    AddAttribute(db, MediaTypeAscii, "A");
    cCategory* verbs = AddCategory(db, 0, "Verbs");
    cCategory* irregular = AddCategory(db, 2, "Irregular");
    cTerm* first = AddTerm(db);
    AddValue(first, 1, "a\\nb");
    AddValue(first, 0, u"\u4e2d");
    AddTerm(db);
    irregular->addMember(0);
    verbs->addMember(0);

    EXPECT_EQ(exported(db, true),
              Utf16File(u"Title\tD\u00e9\nDescription\t\nAttribute\tUnicode\tU\n"
                        u"Attribute\tAscii\tA\nCategory\tVerbs\nCategory\tIrregular\nTerms:\n"
                        u"Verbs|Irregular\t\u4e2d\ta\\nb\n\t\t\n"));
    EXPECT_EQ(exported(db, false), Utf16File(u"\u4e2d\ta\\nb\n\t\n"));
}

TEST_F(TextExportTest, MissingValuesKeepTheirColumnsInBothForms) {
    for (const char* name : {"A", "B", "C"})
        AddAttribute(db, MediaTypeAscii, name);
    cTerm* term = AddTerm(db);
    AddValue(term, 2, "z");
    AddValue(term, 0, "x");
    EXPECT_EQ(exported(db, false), Bytes("x\t\tz\r\n"));

    db.attribute(1)->mediaType = MediaTypeUnicode;
    EXPECT_EQ(exported(db, false), Utf16File(u"x\t\tz\n"));
}

TEST_F(TextExportTest, AsciiDatabaseWritesCodePageTextWithCrLf) {
    db.name.assign("Demo");
    db.description.assign("Cards");
    AddAttribute(db, MediaTypeAscii, "Word");
    AddCategory(db, 0, "Verbs")->addMember(1);
    AddValue(AddTerm(db), 0, "caf\xe9");
    AddValue(AddTerm(db), 0, "run");

    EXPECT_EQ(exported(db, false), Bytes("caf\xe9\r\nrun\r\n"));
    EXPECT_EQ(exported(db, true),
              Bytes("Title\tDemo\r\nDescription\tCards\r\nAttribute\tAscii\tWord\r\n"
                    "Category\tVerbs\r\nTerms:\r\n\tcaf\xe9\r\nVerbs\trun\r\n"));
}

TEST_F(TextExportTest, FailedWriteLeavesThePreviousFile) {
    AddAttribute(db, MediaTypeAscii, "A");
    AddValue(AddTerm(db), 0, "x");
    std::string path = dir.file("keep.txt");
    WriteBytes(path, Bytes("previous"));
    {
        cFailingFileSystem failing;
        failing.bytesBeforeFailure = 2;
        EXPECT_EQ(ExportTextFile(db, path, false), 1);
    }
    EXPECT_EQ(ReadBytes(path), Bytes("previous"));
    EXPECT_EQ(ExportTextFile(db, dir.file("no/such/dir.txt"), false), 1);
}

// Everything the import restores, in a form gtest can compare and print.
std::vector<std::string> Describe(const cDatabase& source) {
    std::vector<std::string> lines = {std::string("name ") + source.name.textOrEmpty(),
                                      std::string("description ") +
                                          source.description.textOrEmpty()};
    for (uint32_t a = 0; a < source.attributes.count(); ++a)
        lines.push_back("attribute " + std::to_string(source.attribute(a)->mediaType) + " " +
                        source.attribute(a)->name.textOrEmpty());
    for (uint32_t c = 0; c < source.categories.count(); ++c) {
        std::string line = std::string("category ") + source.category(c)->name.textOrEmpty();
        for (uint32_t t = 0; t < source.terms.count(); ++t)
            if (source.category(c)->isMember(t))
                line += " " + std::to_string(t);
        lines.push_back(line);
    }
    for (uint32_t t = 0; t < source.terms.count(); ++t) {
        std::string line = "term";
        for (uint16_t a = 0; a < source.attributes.count(); ++a) {
            const cValue* value = source.term(t)->findValue(a);
            line += " |";
            if (auto* ascii = dynamic_cast<const cAsciiValue*>(value))
                line += ascii->text.textOrEmpty();
            else if (auto* unicode = dynamic_cast<const cUnicodeValue*>(value))
                for (uint32_t i = 0; i < unicode->length(); ++i)
                    line += "U+" + std::to_string(unicode->text()[i]);
        }
        lines.push_back(line);
    }
    return lines;
}

TEST_F(TextExportTest, Utf16VeskTextRoundTrips) {
    db.name.assign("Caf\xe9");
    db.description.assign("Words \"quoted\" and more");
    AddAttribute(db, MediaTypeAscii, "Word");
    AddAttribute(db, MediaTypeUnicode, "Hanzi");
    AddAttribute(db, MediaTypeAscii, "Note");
    cCategory* verbs = AddCategory(db, 0, "Verbs");
    cCategory* lesson = AddCategory(db, 5, "Lesson 1");
    cTerm* first = AddTerm(db);
    AddValue(first, 0, "go\\nwent");
    AddValue(first, 1, u"\u53bb \u0623");
    AddTerm(db);
    cTerm* third = AddTerm(db);
    AddValue(third, 2, "only \xe9");
    verbs->addMember(0);
    lesson->addMember(0);
    lesson->addMember(2);

    cDatabase back;
    roundTrip(back);
    EXPECT_EQ(Describe(back), Describe(db));
    EXPECT_EQ(back.category(1)->group, 0);
}

TEST_F(TextExportTest, CodePageVeskTextRoundTripsAnAsciiDatabase) {
    db.name.assign("Vocabulaire");
    AddAttribute(db, MediaTypeAscii,
                 "Fran\xe7"
                 "ais");
    AddAttribute(db, MediaTypeAscii, "English");
    cCategory* food = AddCategory(db, 0, "Nourriture");
    cTerm* first = AddTerm(db);
    AddValue(first, 0, "\x80 cr\xe8me");
    AddValue(first, 1, "cream");
    cTerm* second = AddTerm(db);
    AddValue(second, 1, "pear");
    food->addMember(0);
    food->addMember(1);

    cDatabase back;
    roundTrip(back);
    EXPECT_EQ(Describe(back), Describe(db));
}

} // namespace
