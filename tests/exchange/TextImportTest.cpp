#include "exchange/TextImport.h"

#include "exchange/TextEncoding.h"

#include "model/Database.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TextFiles.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TextImportTest : public ::testing::Test {
protected:
    int import(const std::vector<uint8_t>& bytes, bool ownFormat) {
        std::string path = dir.file("in.txt");
        WriteBytes(path, bytes);
        return ImportTextFile(db, path, ownFormat);
    }
    int importVesk(const std::string& text) { return import(Bytes(text), true); }
    int importTabs(const std::string& text) { return import(Bytes(text), false); }

    // The one message shown, which must be an error box.
    std::string error() const {
        if (sink.shown.size() != 1)
            return "<" + std::to_string(sink.shown.size()) + " messages>";
        EXPECT_EQ(sink.shown[0].caption, "Error");
        return sink.shown[0].text;
    }

    std::string ascii(uint32_t term, uint16_t attribute) const {
        auto* value = dynamic_cast<const cAsciiValue*>(db.term(term)->findValue(attribute));
        return value ? value->text.textOrEmpty() : "<none>";
    }
    std::u16string unicode(uint32_t term, uint16_t attribute) const {
        auto* value = dynamic_cast<const cUnicodeValue*>(db.term(term)->findValue(attribute));
        return value ? std::u16string(value->text(), value->length()) : u"<none>";
    }
    std::string attributeName(uint32_t index) const {
        return db.attribute(index)->name.textOrEmpty();
    }

    cTempDir dir;
    cRecordingSink sink;
    cDatabase db;
};

TEST_F(TextImportTest, DemoVeskTextFillsEveryPart) {
    ASSERT_EQ(importVesk("Title\tDemo\nDescription\tCards\nAttribute\tAscii\tWord\n"
                         "Category\tVerbs\nTerms:\nVerbs\trun\n"),
              0);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_STREQ(db.name.text(), "Demo");
    EXPECT_STREQ(db.description.text(), "Cards");
    ASSERT_EQ(db.attributes.count(), 1u);
    EXPECT_EQ(db.attribute(0)->mediaType, MediaTypeAscii);
    EXPECT_EQ(attributeName(0), "Word");
    ASSERT_EQ(db.categories.count(), 1u);
    EXPECT_EQ(db.category(0)->group, 0);
    EXPECT_STREQ(db.category(0)->name.text(), "Verbs");
    ASSERT_EQ(db.terms.count(), 1u);
    EXPECT_EQ(ascii(0, 0), "run");
    EXPECT_TRUE(db.category(0)->isMember(0));
    EXPECT_EQ(db.category(0)->members.count(), 1u);
}

const char CategoryHeader[] = "Category\tVerbs\nCategory\tNouns\nTerms:\n";

TEST_F(TextImportTest, CategoryFieldListsNamesSeparatedByBars) {
    ASSERT_EQ(importVesk(std::string(CategoryHeader) + "Verbs|Nouns\nVerbs|\nNouns|Nouns\n\n"), 0);
    ASSERT_EQ(db.terms.count(), 4u);
    cCategory* verbs = db.category(0);
    cCategory* nouns = db.category(1);
    EXPECT_TRUE(verbs->isMember(0) && nouns->isMember(0));
    EXPECT_TRUE(verbs->isMember(1));
    EXPECT_FALSE(nouns->isMember(1));
    EXPECT_TRUE(nouns->isMember(2));
    EXPECT_EQ(nouns->members.count(), 2u); // a repeated name does not list the term twice
    EXPECT_FALSE(verbs->isMember(3) || nouns->isMember(3));
}

TEST_F(TextImportTest, EmptyOrUnknownCategoryNameFailsOnItsLine) {
    EXPECT_EQ(importVesk(std::string(CategoryHeader) + "Verbs\nVerbs||Nouns\n"), 1);
    EXPECT_EQ(error(), "Line 5: unknown category ()");
    // The failing line's term was added; what came before stays for the caller to discard.
    EXPECT_EQ(db.terms.count(), 2u);

    cDatabase other;
    sink.shown.clear();
    WriteBytes(dir.file("b.txt"), Bytes(std::string(CategoryHeader) + "Verbs|verbs\tx\n"));
    EXPECT_EQ(ImportTextFile(other, dir.file("b.txt"), true), 1);
    EXPECT_EQ(error(), "Line 4: unknown category (verbs)");
}

TEST_F(TextImportTest, CategoryMatchesTheFirstOfTheSameName) {
    ASSERT_EQ(importVesk("Category\tA\nCategory\tA\nTerms:\nA\n"), 0);
    EXPECT_TRUE(db.category(0)->isMember(0));
    EXPECT_FALSE(db.category(1)->isMember(0));
}

TEST_F(TextImportTest, EveryLineAfterTermsIsATermEvenWhenEmpty) {
    ASSERT_EQ(importVesk("Attribute\tAscii\tW\nTerms:\n\tone\n\n\tthree\n"), 0);
    ASSERT_EQ(db.terms.count(), 3u);
    EXPECT_EQ(db.term(1)->values().count(), 0u);
    EXPECT_EQ(ascii(2, 0), "three");

    cDatabase tabs;
    WriteBytes(dir.file("t.txt"), Bytes("a\n\nb"));
    ASSERT_EQ(ImportTextFile(tabs, dir.file("t.txt"), false), 0);
    EXPECT_EQ(tabs.terms.count(), 3u); // the last line needs no line end
    EXPECT_EQ(tabs.term(1)->values().count(), 0u);
}

TEST_F(TextImportTest, HeaderKeywordsMatchByLeadingPart) {
    ASSERT_EQ(importVesk("Foo\tBar\nTit\tDemo\nD\tCards\nAttr\tU\tW\nAttribute\tAsc\tX\n"
                         "C\tVerbs\nTerms\nVerbs\t\xe4\tx\n"),
              0);
    EXPECT_STREQ(db.name.text(), "Demo");
    EXPECT_STREQ(db.description.text(), "Cards");
    ASSERT_EQ(db.attributes.count(), 2u);
    EXPECT_EQ(db.attribute(0)->mediaType, MediaTypeUnicode);
    EXPECT_EQ(db.attribute(1)->mediaType, MediaTypeAscii);
    ASSERT_EQ(db.categories.count(), 1u);
    ASSERT_EQ(db.terms.count(), 1u);
    EXPECT_EQ(unicode(0, 0), u"\u00e4"); // widened through the code page
    EXPECT_EQ(ascii(0, 1), "x");
}

TEST_F(TextImportTest, HeaderLinesMissingFieldsFailWithTheirLine) {
    struct cCase {
        std::string line;
        std::string message;
    };
    const cCase cases[] = {
        {"Title", "Line 2: expected 'Title <title>'"},
        {"Description", "Line 2: expected 'Description <description>'"},
        {"Attribute\tAscii", "Line 2: expected 'Attribute <type (Ascii, Unicode)> <name>'"},
        {"Category", "Line 2: expected 'Category <name>'"},
        {"Attribute\tText\tWord", "Line 2: Expected attribute type Ascii or Unicode."},
    };
    for (const cCase& c : cases) {
        cDatabase fresh;
        sink.shown.clear();
        WriteBytes(dir.file("h.txt"), Bytes("Foo\n" + c.line + "\nTerms:\n"));
        EXPECT_EQ(ImportTextFile(fresh, dir.file("h.txt"), true), 1) << c.line;
        EXPECT_EQ(error(), c.message) << c.line;
    }
}

TEST_F(TextImportTest, HeaderLinesWithEmptyFieldsEmptyTheTextOrDeclareItUnnamed) {
    ASSERT_EQ(importVesk("Title\tOld\nTitle\t\nDescription\t\"\"\n\nCategory\t\n"
                         "Attribute\t\tName\nAttribute\tAscii\t \nAttribute\tUnicode\tW\n"
                         "Category\tA\nTerms:\n|A\tx\ty\n"),
              0);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_TRUE(db.name.isEmpty());
    EXPECT_TRUE(db.description.isEmpty());
    // Unnamed ones keep their places, so the columns and the category field still line up.
    ASSERT_EQ(db.categories.count(), 2u);
    EXPECT_TRUE(db.category(0)->name.isEmpty());
    ASSERT_EQ(db.attributes.count(), 2u); // an attribute without a type is still ignored
    EXPECT_TRUE(db.attribute(0)->name.isEmpty());
    EXPECT_EQ(ascii(0, 0), "x");
    EXPECT_EQ(unicode(0, 1), u"y");
    EXPECT_TRUE(db.category(0)->isMember(0) && db.category(1)->isMember(0));
}

TEST_F(TextImportTest, HeaderWithoutTermsImportsNoTerms) {
    ASSERT_EQ(importVesk("Title\tDemo\nAttribute\tAscii\tW\nnot a term\n"), 0);
    EXPECT_STREQ(db.name.text(), "Demo");
    EXPECT_EQ(db.terms.count(), 0u);
}

TEST_F(TextImportTest, TabDelimitedColumnsCreateNumberedAttributes) {
    ASSERT_EQ(importTabs("a\tb\tc\n"), 0);
    ASSERT_EQ(db.attributes.count(), 3u);
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(attributeName(i), "Attribute " + std::to_string(i + 1));
        EXPECT_EQ(db.attribute(i)->mediaType, MediaTypeAscii);
    }
    EXPECT_EQ(ascii(0, 2), "c");

    cDatabase sparse;
    WriteBytes(dir.file("s.txt"), Bytes("\t\tc\nx\n"));
    ASSERT_EQ(ImportTextFile(sparse, dir.file("s.txt"), false), 0);
    ASSERT_EQ(sparse.attributes.count(), 3u);
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_STREQ(sparse.attribute(i)->name.text(), "Attribute 3");
    EXPECT_EQ(sparse.term(0)->values().count(), 1u);
    EXPECT_EQ(sparse.term(0)->valueAt(0)->attribute, 2);
}

TEST_F(TextImportTest, VeskTextValueBeyondTheAttributesFails) {
    EXPECT_EQ(importVesk("Attribute\tAscii\tW\nTerms:\n\tx\t\t  \n\tx\t\ty\n"), 1);
    EXPECT_EQ(error(), "Line 4: too much attribute data");
    EXPECT_EQ(db.terms.count(), 2u);
}

TEST_F(TextImportTest, FieldsAreCleanedOfQuotesCarriageReturnsAndTrailingSpaces) {
    ASSERT_EQ(importTabs("\"abc\"\tdef\"\r\t  lead  \ta\"b\"c\t\"\"x\"\r\n"), 0);
    EXPECT_EQ(ascii(0, 0), "abc");
    EXPECT_EQ(ascii(0, 1), "def");
    EXPECT_EQ(ascii(0, 2), "  lead");
    EXPECT_EQ(ascii(0, 3), "a\"b\"c");
    EXPECT_EQ(ascii(0, 4), "\"x");
    EXPECT_EQ(db.terms.count(), 1u); // CR LF ends the line like LF
}

TEST_F(TextImportTest, TextIsStoredAsItStands) {
    std::string longField(5000, 'w');
    ASSERT_EQ(importTabs("a\\nb\t" + longField + "\n"), 0);
    EXPECT_EQ(ascii(0, 0), "a\\nb"); // the escaped form: a line break once saved
    EXPECT_EQ(ascii(0, 1), longField);
}

TEST_F(TextImportTest, NulFailsTheImportAtItsLine) {
    struct sCase {
        const char* what;
        std::vector<uint8_t> bytes;
        bool ownFormat;
        int line;
    };
    const sCase cases[] = {
        {"code page", Bytes(std::string("ab\nab \0z\t\0q\n", 12)), false, 2},
        {"code page header", Bytes(std::string("Attri\0bute\tAscii\tX\nTerms:\n", 26)), true, 1},
        {"UTF-8", Bytes(std::string("\xc3\xa9\n\n\0", 5)), false, 3},
        {"UTF-16 unit", Utf16File(std::u16string(u"Terms:\n\tx\0y\n", 12)), true, 2},
    };
    for (const sCase& c : cases) {
        cDatabase fresh;
        sink.shown.clear();
        WriteBytes(dir.file("nul.txt"), c.bytes);
        EXPECT_EQ(ImportTextFile(fresh, dir.file("nul.txt"), c.ownFormat), 1) << c.what;
        EXPECT_EQ(error(), "Line " + std::to_string(c.line) +
                               ": this line holds a NUL character, which no text in a database "
                               "can hold.")
            << c.what;
    }
}

TEST_F(TextImportTest, UnicodeTextForAsciiTargetsIsTakenAsTyped) {
    ASSERT_EQ(import(Utf16File(u"Title\tCaf\u00e9\nAttribute\tUnicode\tU\nAttribute\tAscii\tA\n"
                               u"Terms:\n\t\u4e2d\t\u4e2d\n"),
                     true),
              0);
    EXPECT_STREQ(db.name.text(), "Caf\xe9");
    EXPECT_EQ(unicode(0, 0), u"\u4e2d");
    EXPECT_EQ(ascii(0, 1), "?");
    ASSERT_EQ(sink.shown.size(), 1u); // a warning, not a failure
    EXPECT_EQ(sink.shown[0].caption, "Warning");
    EXPECT_EQ(sink.shown[0].text, "1 imported texts held characters that Ascii text cannot "
                                  "hold; each of those characters became '?'.");

    struct sCase {
        std::u16string text;
        std::string ascii;
    };
    const sCase cases[] = {
        {u"ab\u0100cd", "ab?cd"},
        {u"\u2013\u2019\u20ac", "\x96\x92\x80"},
        {u"\u0096\u0081\u00e9\u00ff", "\x96\x81\xe9\xff"}, // as older exports wrote bytes
        {u"a\U0001F600b", "a?b"},                          // one character, one "?"
        {u"\xdc00x\xd800", "?x?"},
    };
    for (const sCase& c : cases) {
        for (bool utf8 : {false, true}) {
            const std::u16string file = u"Attribute\tAscii\tA\nTerms:\n\t" + c.text + u"\n";
            std::string utf8Text = "\xef\xbb\xbf" + Utf16ToUtf8(file);
            cDatabase fresh;
            sink.shown.clear();
            WriteBytes(dir.file("a.txt"), utf8 ? Bytes(utf8Text) : Utf16File(file));
            ASSERT_EQ(ImportTextFile(fresh, dir.file("a.txt"), true), 0);
            auto* value = static_cast<const cAsciiValue*>(fresh.term(0)->valueAt(0));
            if (utf8 && c.text[0] == 0xdc00)
                continue; // UTF-8 cannot carry a lone surrogate
            EXPECT_EQ(value->text.textOrEmpty(), c.ascii)
                << (utf8 ? "UTF-8 " : "UTF-16 ") << value->text.textOrEmpty();
            EXPECT_EQ(sink.shown.size(), c.ascii.find('?') == std::string::npos ? 0u : 1u);
        }
    }
}

TEST_F(TextImportTest, UnmarkedUtf16IsRecognisedByItsNulBytes) {
    const std::u16string text = u"Attribute\tUnicode\tU\nTerms:\n\tcaf\u00e9 \u4e2d\n";
    std::vector<uint8_t> little = Utf16File(text), big;
    little.erase(little.begin(), little.begin() + 2);
    for (size_t i = 0; i < little.size(); i += 2)
        big.insert(big.end(), {little[i + 1], little[i]});
    std::vector<uint8_t> marked = big;
    marked.insert(marked.begin(), {0xFE, 0xFF});
    for (const auto& bytes : {little, big, marked}) {
        cDatabase fresh;
        WriteBytes(dir.file("u.txt"), bytes);
        ASSERT_EQ(ImportTextFile(fresh, dir.file("u.txt"), true), 0);
        ASSERT_EQ(fresh.terms.count(), 1u);
        auto* value = static_cast<const cUnicodeValue*>(fresh.term(0)->valueAt(0));
        EXPECT_EQ(std::u16string(value->text(), value->length()), u"caf\u00e9 \u4e2d");
    }
}

TEST(TextEncodingTest, ChoiceByFirstBytesAndContent) {
    struct sCase {
        std::string bytes;
        eTextEncoding encoding;
        bool bigEndian;
    };
    const sCase cases[] = {
        {"", eTextEncoding::CodePage, false},
        {"plain", eTextEncoding::CodePage, false},
        {"caf\xc3\xa9", eTextEncoding::Utf8, false},
        {"caf\xc3", eTextEncoding::CodePage, false},      // a lead byte as the last byte
        {"\xc3", eTextEncoding::CodePage, false},         // and as the only one
        {"\xe4\xb8", eTextEncoding::CodePage, false},     // a sequence one byte short
        {"\xed\xa0\x80", eTextEncoding::CodePage, false}, // an encoded surrogate
        {std::string("a\0b\0", 4), eTextEncoding::Utf16, false},
        {std::string("\0a\0b", 4), eTextEncoding::Utf16, true},
        {std::string("a\0b\0c", 5), eTextEncoding::CodePage, false},   // odd size
        {std::string("a\0\0\0", 4), eTextEncoding::CodePage, false},   // a NUL unit
        {std::string("abcdefg\0", 8), eTextEncoding::CodePage, false}, // one stray NUL
        {std::string("\xfe\xff\0a", 4), eTextEncoding::Utf16, true},
    };
    for (const sCase& c : cases) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(c.bytes.data());
        cTextEncoding found = DetectTextEncoding(bytes, c.bytes.size());
        EXPECT_EQ(found.encoding, c.encoding) << c.bytes;
        EXPECT_EQ(found.bigEndian, c.bigEndian) << c.bytes;
    }
}

TEST_F(TextImportTest, EightBitTextReadsCrLfAsALineEnd) {
    for (const char* mark : {"", "\xef\xbb\xbf"}) {
        cDatabase fresh;
        WriteBytes(dir.file("cr.txt"),
                   Bytes(std::string(mark) + "Attribute\tAscii\tA\r\r\nTerms:\r\r\n\tx\r\r\n"));
        ASSERT_EQ(ImportTextFile(fresh, dir.file("cr.txt"), true), 0) << mark;
        ASSERT_EQ(fresh.terms.count(), 1u) << mark;
        EXPECT_STREQ(fresh.attribute(0)->name.text(), "A");
        EXPECT_STREQ(static_cast<const cAsciiValue*>(fresh.term(0)->valueAt(0))->text.text(), "x");
    }
}

TEST_F(TextImportTest, Utf16TabDelimitedCreatesUnicodeAttributesAndCountsLinesAfterTheMark) {
    ASSERT_EQ(import(Utf16File(u"\u4e2d\r\n\"x\"\r\n"), false), 0);
    ASSERT_EQ(db.attributes.count(), 1u);
    EXPECT_EQ(db.attribute(0)->mediaType, MediaTypeUnicode);
    EXPECT_EQ(unicode(0, 0), u"\u4e2d");
    EXPECT_EQ(unicode(1, 0), u"x");

    cDatabase other;
    WriteBytes(dir.file("u.txt"), Utf16File(u"Terms:\nNone\n"));
    EXPECT_EQ(ImportTextFile(other, dir.file("u.txt"), true), 1);
    EXPECT_EQ(error(), "Line 2: unknown category (None)");
}

TEST_F(TextImportTest, Utf8FileWithMarkIsUnicodeText) {
    ASSERT_EQ(import(Bytes("\xef\xbb\xbfTitle\tCaf\xc3\xa9\nAttribute\tUnicode\tU\n"
                           "Attribute\tAscii\tA\nTerms:\n\t\xe4\xb8\xad\t\xe4\xb8\xad\xc3\xa9\n"),
                     true),
              0);
    EXPECT_STREQ(db.name.text(), "Caf\xe9");
    EXPECT_EQ(unicode(0, 0), u"\u4e2d");
    EXPECT_EQ(ascii(0, 1), "?\xe9"); // through the code page, "?" where it has no byte
}

TEST_F(TextImportTest, UnmarkedFileIsUtf8OnlyWhenValidWithAMultiByteSequence) {
    ASSERT_EQ(importTabs("\xe4\xb8\xad\tx\n"), 0);
    EXPECT_EQ(db.attribute(0)->mediaType, MediaTypeUnicode);
    EXPECT_EQ(unicode(0, 0), u"\u4e2d");

    cDatabase plain;
    WriteBytes(dir.file("p.txt"), Bytes("x\n"));
    ASSERT_EQ(ImportTextFile(plain, dir.file("p.txt"), false), 0);
    EXPECT_EQ(plain.attribute(0)->mediaType, MediaTypeAscii);

    cDatabase latin;
    WriteBytes(dir.file("l.txt"), Bytes("caf\xe9\t\xc3\xa9\n"));
    ASSERT_EQ(ImportTextFile(latin, dir.file("l.txt"), false), 0);
    EXPECT_EQ(latin.attribute(0)->mediaType, MediaTypeAscii);
    EXPECT_STREQ(static_cast<const cAsciiValue*>(latin.term(0)->valueAt(1))->text.text(), "\xc3\xa9");
}

TEST_F(TextImportTest, MissingFileFailsWithoutAMessage) {
    EXPECT_EQ(ImportTextFile(db, dir.file("absent.txt"), true), 1);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(TextImportTest, LargestSavableFileImportsWholeAndOneLineMoreFails) {
    const uint32_t lines = 65532;
    std::string text;
    for (uint32_t i = 0; i < lines; ++i)
        text += "word" + std::to_string(i) + "\t\"meaning " + std::to_string(i) + "\"\r\n";
    ASSERT_EQ(importTabs(text), 0);
    ASSERT_EQ(db.terms.count(), lines);
    EXPECT_EQ(ascii(lines - 1, 1), "meaning " + std::to_string(lines - 1));

    cDatabase over;
    WriteBytes(dir.file("over.txt"), Bytes(text + "\n"));
    EXPECT_EQ(ImportTextFile(over, dir.file("over.txt"), false), 1);
    EXPECT_EQ(error(), "Line 65533: more terms than a database can hold (65532).");
}

TEST_F(TextImportTest, MoreAttributesThanADatabaseHoldsFailAtTheirLine) {
    std::string header;
    for (int i = 0; i < 128; ++i)
        header += "Attribute\tAscii\tA\n";
    struct sCase {
        std::string text;
        bool ownFormat;
        std::string message;
    };
    const sCase cases[] = {
        {"x\n" + std::string(127, '\t') + "y" + std::string(500, '\t') + "\n", false, ""},
        {"x\n" + std::string(128, '\t') + "y\n", false, "Line 2: "},
        {header + "Terms:\n" + std::string(128, '\t') + "y\n", true, ""},
        {"Foo\n" + header + "Attribute\tUnicode\tB\n", true, "Line 130: "},
    };
    for (const sCase& c : cases) {
        cDatabase fresh;
        sink.shown.clear();
        WriteBytes(dir.file("wide.txt"), Bytes(c.text));
        EXPECT_EQ(ImportTextFile(fresh, dir.file("wide.txt"), c.ownFormat),
                  c.message.empty() ? 0 : 1);
        if (c.message.empty()) {
            EXPECT_EQ(fresh.attributes.count(), 128u);
            EXPECT_TRUE(sink.shown.empty());
        } else {
            EXPECT_EQ(error(), c.message + "more attributes than a database can hold (128).");
        }
    }
}

} // namespace
