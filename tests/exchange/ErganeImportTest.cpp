#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/ErganeImport.h"
#include "model/Database.h"
#include "support/TempDir.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Ergane writes UTF-16 with the high byte first and no byte-order mark.
Bytes BigEndian(const std::u16string& text) {
    Bytes bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    }
    return bytes;
}

// Line 1 and the three lines Ergane writes before the entries.
const std::u16string kHeading = u"Wordlist:English-German, 2 entries\r\n"
                                u"line 2\r\n"
                                u"line 3\r\n"
                                u"line 4\r\n";

class ErganeImportTest : public ::testing::Test {
protected:
    int import(const Bytes& bytes) {
        WriteBytes(dir.file("list.txt"), bytes);
        return ImportErganeFile(db, dir.file("list.txt"));
    }
    int import(const std::u16string& text) { return import(BigEndian(text)); }

    std::u16string value(uint32_t term, uint32_t position) const {
        auto* v = static_cast<const cUnicodeValue*>(db.term(term)->valueAt(position));
        EXPECT_EQ(v->mediaType(), MediaTypeUnicode);
        EXPECT_EQ(v->attribute, position);
        return v->text() ? std::u16string(v->text(), v->length()) : std::u16string();
    }

    std::string attributeName(uint32_t index) const {
        return db.attribute(index)->name.textOrEmpty();
    }

    cTempDir dir;
    cDatabase db;
};

TEST_F(ErganeImportTest, MissingFileCannotBeOpened) {
    EXPECT_EQ(ImportErganeFile(db, dir.file("absent.txt")), ErganeResultCannotOpen);
}

TEST_F(ErganeImportTest, EntryLineAndMeaning) {
    ASSERT_EQ(import(kHeading + u"cat\r\n  n. Katze (die)\r\n"
                                u"\u732B\r\n n. Katze (die)\r\n"
                                u"\r\n"),
              ErganeResultOk);

    EXPECT_STREQ(db.description.text(), "Wordlist:English-German, 2 entries");
    ASSERT_EQ(db.attributes.count(), 2u);
    EXPECT_EQ(attributeName(0), "English");
    EXPECT_EQ(attributeName(1), "German");
    EXPECT_EQ(db.attribute(0)->mediaType, MediaTypeUnicode);
    EXPECT_EQ(db.attribute(1)->mediaType, MediaTypeUnicode);
    EXPECT_EQ(db.categories.count(), 0u);

    ASSERT_EQ(db.terms.count(), 2u);
    ASSERT_EQ(db.term(0)->values().count(), 2u);
    EXPECT_EQ(value(0, 0), u"cat");
    EXPECT_EQ(value(0, 1), u"Katze");
    EXPECT_EQ(value(1, 0), u"\u732B");
}

TEST_F(ErganeImportTest, EndOfFileInsideAnEntryDropsIt) {
    const std::u16string entries = u"cat\r\n  n. Katze (die)\r\n"
                                   u"dog\r\n  n. Hund (der)\r\n  more\r\n  and more\r\n";
    ASSERT_EQ(import(kHeading + entries), ErganeResultOk);
    ASSERT_EQ(db.terms.count(), 1u);
    EXPECT_EQ(value(0, 0), u"cat");

    cDatabase withEmptyLine;
    WriteBytes(dir.file("full.txt"), BigEndian(kHeading + entries + u"\r\n"));
    ASSERT_EQ(ImportErganeFile(withEmptyLine, dir.file("full.txt")), ErganeResultOk);
    EXPECT_EQ(withEmptyLine.terms.count(), 2u);

    cDatabase oddByte;
    Bytes bytes = BigEndian(kHeading + u"cat\r\n  n. Katze (");
    bytes.push_back(0);
    WriteBytes(dir.file("odd.txt"), bytes);
    ASSERT_EQ(ImportErganeFile(oddByte, dir.file("odd.txt")), ErganeResultOk);
    EXPECT_EQ(oddByte.terms.count(), 0u);
}

TEST_F(ErganeImportTest, MeaningRunsOverLineEndsUntilAParenthesis) {
    ASSERT_EQ(import(kHeading + u"dog\r\nn. Hund\r\n"
                                u"Köter (der) skipped\r\n"
                                u" continuation\r\n"
                                u"bird\r\n  n.(der)\r\n"
                                u"\r\n"),
              ErganeResultOk);
    ASSERT_EQ(db.terms.count(), 2u);
    EXPECT_EQ(value(0, 1), u"Hund\r\nKöter");
    EXPECT_EQ(value(1, 0), u"bird");
    // A parenthesis straight after the full stop leaves nothing to drop: an empty meaning.
    ASSERT_EQ(db.term(1)->values().count(), 2u);
    EXPECT_EQ(value(1, 1), u"");
}

TEST_F(ErganeImportTest, AttributeNamesFromLineOne) {
    ASSERT_EQ(import(u"Wordlist:English\u00FC only\r\n2\r\n3\r\n4\r\n"), ErganeResultOk);
    EXPECT_EQ(attributeName(0), "English\xFC only");
    EXPECT_EQ(attributeName(1), "");
    EXPECT_STREQ(db.description.text(), "Wordlist:English\xFC only");

    cDatabase noComma;
    WriteBytes(dir.file("b.txt"), BigEndian(u"Wordlist:A-B\r\n"));
    ASSERT_EQ(ImportErganeFile(noComma, dir.file("b.txt")), ErganeResultOk);
    EXPECT_STREQ(noComma.attribute(0)->name.text(), "A");
    EXPECT_STREQ(noComma.attribute(1)->name.text(), "B");

    cDatabase shortLine;
    WriteBytes(dir.file("c.txt"), BigEndian(u"Ab-c,d\r\n"));
    ASSERT_EQ(ImportErganeFile(shortLine, dir.file("c.txt")), ErganeResultOk);
    ASSERT_EQ(shortLine.attributes.count(), 2u);
    EXPECT_TRUE(shortLine.attribute(0)->name.isEmpty());
    EXPECT_TRUE(shortLine.attribute(1)->name.isEmpty());
    EXPECT_STREQ(shortLine.description.text(), "Ab-c,d");
}

TEST_F(ErganeImportTest, LongLinesAreKeptWhole) {
    const std::u16string longLine(3000, u'w');
    const std::u16string longMeaning(2000, u'm');
    ASSERT_EQ(import(u"Wordlist:" + longLine + u"-X,\r\n2\r\n3\r\n4\r\n" + longLine + u"\r\n  n. " +
                     longMeaning + u" (x)\r\n\r\n"),
              ErganeResultOk);
    // The description field holds 511 characters; the names come from the whole line.
    EXPECT_EQ(db.description.length(), 511u);
    EXPECT_EQ(attributeName(0).size(), 3000u);
    EXPECT_EQ(attributeName(1), "X");
    ASSERT_EQ(db.terms.count(), 1u);
    EXPECT_EQ(value(0, 0), longLine);
    EXPECT_EQ(value(0, 1), longMeaning);
}

TEST_F(ErganeImportTest, EmptyFileGivesTwoUnnamedAttributesAndNoTerms) {
    ASSERT_EQ(import(Bytes{}), ErganeResultOk);
    EXPECT_EQ(db.attributes.count(), 2u);
    EXPECT_EQ(db.terms.count(), 0u);
    EXPECT_TRUE(db.description.isEmpty());
}

} // namespace
