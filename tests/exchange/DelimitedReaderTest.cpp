#include "exchange/DelimitedReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The table as rows of UTF-8 cells joined by '|', header names first when there are any.
std::string Shape(const cDelimitedTable& table) {
    std::string out;
    auto utf8 = [](std::u16string_view text) {
        std::string bytes;
        for (char16_t unit : text) {
            if (unit < 0x80) {
                bytes += static_cast<char>(unit);
            } else {
                bytes += "<" + std::to_string(unit) + ">";
            }
        }
        return bytes;
    };
    if (!table.names.empty()) {
        out += "H:";
        for (const std::u16string& name : table.names)
            out += utf8(name) + "|";
        out += "\n";
    }
    for (size_t row = 0; row < table.rowCount(); ++row) {
        out += std::to_string(table.line(row)) + ":";
        for (size_t column = 0; column < table.cellCount(row); ++column)
            out += utf8(table.cell(row, column)) + "|";
        out += "\n";
    }
    return out;
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> Utf16(const std::u16string& text, bool big, bool mark) {
    std::vector<uint8_t> bytes;
    auto put = [&](char16_t unit) {
        bytes.push_back(static_cast<uint8_t>(big ? unit >> 8 : unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(big ? unit & 0xFF : unit >> 8));
    };
    if (mark)
        put(0xFEFF);
    for (char16_t unit : text)
        put(unit);
    return bytes;
}

struct sCase {
    const char* what;
    std::vector<uint8_t> bytes;
    sDelimitedOptions options;
    // Separator and encoding as read, then the shape; or the failing line and reason.
    char16_t separator;
    eDelimitedEncoding encoding;
    std::string shape;
    uint32_t failLine = 0;
    std::string failReason = {};
};

sDelimitedOptions With(char16_t separator, eHeaderRow header = eHeaderRow::Detect,
                       eDelimitedEncoding encoding = eDelimitedEncoding::Auto) {
    sDelimitedOptions options;
    options.separator = separator;
    options.header = header;
    options.encoding = encoding;
    return options;
}

} // namespace

TEST(DelimitedReader, ReadsEachKindAsItsWriterMeant) {
    const auto utf8 = eDelimitedEncoding::Utf8;
    const sCase cases[] = {
        {"comma, CR LF, a header row",
         Bytes("Word,Meaning\r\napple,Apfel\r\npear,Birne\r\n"),
         {},
         u',',
         utf8,
         "H:Word|Meaning|\n2:apple|Apfel|\n3:pear|Birne|\n"},
        {"semicolon, no header row (a repeat below)",
         Bytes("a;1\nb;2\na;3"),
         {},
         u';',
         utf8,
         "1:a|1|\n2:b|2|\n3:a|3|\n"},
        {"tab, numbers under a number", Bytes("1\tx\n2\ty\n"), {}, u'\t', utf8, "1:1|x|\n2:2|y|\n"},
        {"pipe, a blank line is no row", Bytes("a|b\n\nc|d\n"), With(0, eHeaderRow::Absent), u'|',
         utf8, "1:a|b|\n3:c|d|\n"},
        {"quotes hold separators, doubled quotes and line breaks",
         Bytes("x,y\n\"a,b\",\"say \"\"hi\"\"\"\n\"two\r\nlines\",\"\"\nlast,row"),
         With(0, eHeaderRow::Absent), u',', utf8,
         "1:x|y|\n2:a,b|say \"hi\"|\n3:two\nlines||\n5:last|row|\n"},
        {"a quote inside an unquoted cell is a character", Bytes("5\" disk,x\n"),
         With(0, eHeaderRow::Absent), u',', utf8, "1:5\" disk|x|\n"},
        {"the separator is detected with quotes respected", Bytes("\"a;b\",c\n\"d;e\",f\n"),
         With(0, eHeaderRow::Absent), u',', utf8, "1:a;b|c|\n2:d;e|f|\n"},
        {"UTF-8 with a mark", Bytes("\xEF\xBB\xBFw\xC3\xA4,x\n"), With(0, eHeaderRow::Absent), u',',
         utf8, "1:w<228>|x|\n"},
        {"UTF-16 LE with a mark", Utf16(u"\u4E2D,x\r\n", false, true), With(0, eHeaderRow::Absent),
         u',', eDelimitedEncoding::Utf16Le, "1:<20013>|x|\n"},
        {"UTF-16 BE without a mark", Utf16(u"ab,cd\n", true, false), With(0, eHeaderRow::Absent),
         u',', eDelimitedEncoding::Utf16Be, "1:ab|cd|\n"},
        {"Windows-1252", Bytes("caf\xE9,\x80\n"), With(0, eHeaderRow::Absent), u',',
         eDelimitedEncoding::Windows1252, "1:caf<233>|<8364>|\n"},
        {"malformed UTF-8 becomes U+FFFD", Bytes("a\xE4\xB8,\xFF\xF0\x9F\x98\x80\n"),
         With(0, eHeaderRow::Absent, eDelimitedEncoding::Utf8), u',', utf8,
         "1:a<65533>|<65533><55357><56832>|\n"},
        {"a chosen encoding overrides detection", Bytes("\xC3\xA4\n"),
         With(0, eHeaderRow::Absent, eDelimitedEncoding::Windows1252), u',',
         eDelimitedEncoding::Windows1252, "1:<195><164>|\n"},
        {"Anki's header lines",
         Bytes("#separator:Pipe\n#html:true\n#columns:Front|Back|Tags\n"
               "#tags column:3\n#deck:x\na<br>b &amp; c|<b>B</b>|t1 t2\n"),
         {},
         u'|',
         utf8,
         "H:Front|Back|Tags|\n6:a\nb & c|B|t1 t2|\n"},
        {"a '#' line that is no header line is a row", Bytes("#1,x\n#2,y\n"),
         With(0, eHeaderRow::Absent), u',', utf8, "1:#1|x|\n2:#2|y|\n"},
        {"an unclosed quote fails on the line it opens",
         Bytes("a,b\nc,\"d\ne,f\n"),
         {},
         u',',
         utf8,
         "",
         2,
         "the quoted cell that starts on this line is not closed"},
        {"text after a closing quote fails",
         Bytes("a,b\nc,d\n\"x\ny\"z,w\n"),
         {},
         u',',
         utf8,
         "",
         4,
         "a quote inside a quoted cell must be doubled"},
        {"a NUL fails",
         Bytes(std::string("a,b\nc\0,d\n", 9)),
         {},
         u',',
         utf8,
         "",
         2,
         "a NUL character, which no text can hold"},
    };
    for (const sCase& c : cases) {
        cDelimitedTable table;
        sDelimitedError error;
        const bool read = ReadDelimited(c.bytes.data(), c.bytes.size(), c.options, table, error);
        if (c.failLine != 0) {
            EXPECT_FALSE(read) << c.what;
            EXPECT_EQ(error.line, c.failLine) << c.what;
            EXPECT_EQ(error.reason, c.failReason) << c.what;
            continue;
        }
        ASSERT_TRUE(read) << c.what << ": " << error.reason;
        EXPECT_EQ(table.separator, c.separator) << c.what;
        EXPECT_EQ(table.encoding, c.encoding) << c.what;
        EXPECT_EQ(Shape(table), c.shape) << c.what;
    }
}

TEST(DelimitedReader, ReadsOnlyTheRowsAskedForAndTheAnkiColumns) {
    const std::vector<uint8_t> bytes =
        Bytes("#separator:tab\n#tags column:2\n#guid column:1\nx\ta\ny\tb\nz\tc\n");
    sDelimitedOptions options;
    options.maxRows = 2;
    options.header = eHeaderRow::Absent;
    cDelimitedTable table;
    sDelimitedError error;
    ASSERT_TRUE(ReadDelimited(bytes.data(), bytes.size(), options, table, error));
    EXPECT_EQ(table.rowCount(), 2u);
    EXPECT_FALSE(table.complete);
    EXPECT_EQ(table.tagsColumn, 1);
    EXPECT_EQ(table.ankiOnlyColumns, std::vector<int>{0});
}
