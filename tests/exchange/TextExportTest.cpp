#include "exchange/TextExport.h"
#include "exchange/TextImport.h"

#include "model/Database.h"
#include "support/FailingFileSystem.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"
#include "support/TextFiles.h"
#include "text/CodePage.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <random>
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
    term->changeValues().append(new cAsciiValue(attribute, text));
}

void AddValue(cTerm* term, uint16_t attribute, const char16_t* text) {
    term->changeValues().append(new cUnicodeValue(attribute, text));
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
    AddValue(first, 1, "a\\nb\x96");
    AddValue(first, 0, u"\u4e2d");
    AddTerm(db);
    irregular->addMember(0);
    verbs->addMember(0);

    EXPECT_EQ(exported(db, true),
              Utf16File(u"Title\tD\u00e9\nDescription\t\nAttribute\tUnicode\tU\n"
                        u"Attribute\tAscii\tA\nCategory\tVerbs\nCategory\tIrregular\nTerms:\n"
                        u"Verbs|Irregular\t\u4e2d\ta\\nb\u2013\n\t\t\n"));
    // Ascii bytes leave as the characters the code page gives them, 0x96 as U+2013.
    EXPECT_EQ(exported(db, false), Utf16File(u"\u4e2d\ta\\nb\u2013\n\t\n"));
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

// ---- any database survives export and import

// Random texts with what the formats make hard: quotes at either end, CR, TAB, LF and other
// control characters, trailing spaces, '|', 8-bit bytes 0x80-0x9F and, in UTF-16, characters
// outside the BMP.
class cRandomTexts {
public:
    explicit cRandomTexts(unsigned seed) : random_(seed) {}

    unsigned below(unsigned n) {
        return std::uniform_int_distribution<unsigned>(0, n - 1)(random_);
    }

    std::u16string characters(bool wide) {
        static const char16_t pool[] = {u'"', u'\r',   u'\t',   u'\n',   u' ',
                                        u'|', u'\x01', u'\x1f', u'\\',   u'a',
                                        u'Z', u'\x96', u'\x81', u'\xe9', u'\xff'};
        std::u16string text;
        const unsigned length = below(6);
        for (unsigned i = 0; i < length; ++i) {
            const unsigned pick = below(wide ? 18 : 16);
            if (pick < 15)
                text += pool[pick];
            else if (pick == 15)
                text += static_cast<char16_t>(0x80 + below(0x20));
            else if (pick == 16)
                text += u"\u4e2d\u2013";
            else
                text += u"\U0001F600";
        }
        return text;
    }
    // Code-page bytes; a byte b stands for the unit b here.
    std::string bytes() {
        std::string text;
        for (char16_t unit : characters(false))
            text.push_back(static_cast<char>(unit));
        return text;
    }

private:
    std::mt19937 random_;
};

void BuildRandomDatabase(cRandomTexts& random, cDatabase& db) {
    db.name.assign(random.bytes().c_str());
    db.description.assign(random.bytes().c_str());
    const bool anyUnicode = random.below(2) == 0;
    const unsigned attributes = random.below(4);
    for (unsigned a = 0; a < attributes; ++a)
        AddAttribute(db, anyUnicode && random.below(2) ? MediaTypeUnicode : MediaTypeAscii,
                     random.below(3) ? random.bytes().c_str() : "A");
    const unsigned categories = random.below(5);
    for (unsigned c = 0; c < categories; ++c)
        AddCategory(db, uint16_t(random.below(8)), random.below(3) ? random.bytes().c_str() : "C");
    const unsigned terms = random.below(5);
    for (unsigned t = 0; t < terms; ++t) {
        cTerm* term = AddTerm(db);
        for (unsigned v = random.below(5); v > 0; --v) {
            uint16_t a = uint16_t(random.below(attributes + 1));
            if (a == attributes)
                continue;
            if (db.attribute(a)->mediaType == MediaTypeUnicode)
                AddValue(term, a, random.characters(true).c_str());
            else
                AddValue(term, a, random.bytes().c_str());
        }
        for (unsigned c = 0; c < categories; ++c)
            if (random.below(2))
                db.category(c)->addMember(t);
    }
}

// A text as it reads back: what no field holds replaced, trailing spaces dropped; counts the
// texts that needed a replacement.
template <class Text> Text AsReadBack(Text text, bool categoryName, unsigned& replaced) {
    bool changed = false;
    for (auto& c : text)
        if (c == '\t' || c == '\n' || (categoryName && c == '|')) {
            c = c == '|' ? '/' : ' ';
            changed = true;
        }
    replaced += changed;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::u16string Widened(const std::string& bytes) {
    std::u16string units;
    for (char byte : bytes)
        units += AnsiCharToWide(static_cast<unsigned char>(byte));
    return units;
}

// A value's text as characters, or nothing for no value.
std::u16string ValueText(const cValue* value) {
    if (auto* ascii = dynamic_cast<const cAsciiValue*>(value))
        return Widened(ascii->text.textOrEmpty());
    if (auto* unicode = dynamic_cast<const cUnicodeValue*>(value))
        return unicode->text() ? std::u16string(unicode->text(), unicode->length()) : u"";
    return u"";
}

// What the import of an export of db must give, in the form Describe gives it; the value
// columns of tab-delimited text carry no names and no types, so only their texts count.
std::vector<std::string> Expected(const cDatabase& db, bool ownFormat, unsigned& replaced) {
    std::vector<std::string> lines;
    auto bytes = [&](const cString& text, bool categoryName = false) {
        return AsReadBack(std::string(text.textOrEmpty(), text.length()), categoryName, replaced);
    };
    if (ownFormat) {
        lines.push_back("name " + bytes(db.name));
        lines.push_back("description " + bytes(db.description));
        for (uint32_t a = 0; a < db.attributes.count(); ++a)
            lines.push_back("attribute " + std::to_string(db.attribute(a)->mediaType) + " " +
                            bytes(db.attribute(a)->name));
        for (uint32_t c = 0; c < db.categories.count(); ++c) {
            std::string line = "category " + bytes(db.category(c)->name, true);
            for (uint32_t t = 0; t < db.terms.count(); ++t)
                if (db.category(c)->isMember(t))
                    line += " " + std::to_string(t);
            lines.push_back(line);
        }
    }
    for (uint32_t t = 0; t < db.terms.count(); ++t) {
        std::u16string line = u"term";
        for (uint16_t a = 0; a < db.attributes.count(); ++a) {
            // A term's first value of an attribute is the one written.
            const cValue* value = db.term(t)->findValue(a);
            line += u" |" + AsReadBack(ValueText(value), false, replaced);
        }
        // Tab-delimited text has columns up to the last value present.
        while (!ownFormat && line.size() >= 2 && line.compare(line.size() - 2, 2, u" |") == 0)
            line.resize(line.size() - 2);
        lines.push_back(Utf16ToUtf8(line));
    }
    return lines;
}

std::vector<std::string> Actual(const cDatabase& back, bool ownFormat) {
    std::vector<std::string> lines;
    if (ownFormat) {
        lines.push_back(std::string("name ") + back.name.textOrEmpty());
        lines.push_back(std::string("description ") + back.description.textOrEmpty());
        for (uint32_t a = 0; a < back.attributes.count(); ++a)
            lines.push_back("attribute " + std::to_string(back.attribute(a)->mediaType) + " " +
                            back.attribute(a)->name.textOrEmpty());
        for (uint32_t c = 0; c < back.categories.count(); ++c) {
            std::string line = std::string("category ") + back.category(c)->name.textOrEmpty();
            for (uint32_t t = 0; t < back.terms.count(); ++t)
                if (back.category(c)->isMember(t))
                    line += " " + std::to_string(t);
            lines.push_back(line);
        }
    }
    for (uint32_t t = 0; t < back.terms.count(); ++t) {
        std::u16string line = u"term";
        for (uint16_t a = 0; a < back.attributes.count(); ++a)
            line += u" |" + ValueText(back.term(t)->findValue(a));
        while (!ownFormat && line.size() >= 2 && line.compare(line.size() - 2, 2, u" |") == 0)
            line.resize(line.size() - 2);
        lines.push_back(Utf16ToUtf8(line));
    }
    return lines;
}

TEST_F(TextExportTest, RandomDatabasesImportBackAsTheyWereExported) {
    for (unsigned seed = 1; seed <= 400; ++seed) {
        cRandomTexts random(seed);
        cDatabase source;
        BuildRandomDatabase(random, source);
        for (bool ownFormat : {true, false}) {
            const std::string what =
                "seed " + std::to_string(seed) + (ownFormat ? " Vesk Text" : " tab-delimited");
            const std::string path = dir.file("random.txt");
            sink.shown.clear();
            ASSERT_EQ(ExportTextFile(source, path, ownFormat), 0) << what;
            unsigned replaced = 0;
            const std::vector<std::string> expected = Expected(source, ownFormat, replaced);
            if (replaced != 0) {
                ASSERT_EQ(sink.shown.size(), 1u) << what;
                EXPECT_EQ(sink.shown[0].caption, "Warning") << what;
                EXPECT_EQ(sink.shown[0].text.find(std::to_string(replaced) + " texts held"), 0u)
                    << what << ": " << sink.shown[0].text;
            } else {
                EXPECT_TRUE(sink.shown.empty()) << what;
            }
            sink.shown.clear();
            cDatabase back;
            ASSERT_EQ(ImportTextFile(back, path, ownFormat), 0) << what;
            EXPECT_TRUE(sink.shown.empty()) << what;
            EXPECT_EQ(Actual(back, ownFormat), expected) << what;
        }
    }
}

} // namespace
