#include "model/CopyBytes.h"
#include "model/Value.h"
#include "model/ValueList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Written(const cValue& value) {
    cByteWriter writer;
    value.write(writer);
    EXPECT_EQ(writer.size(), value.storedSize());
    return writer.bytes();
}

std::vector<uint8_t> Bytes(std::initializer_list<int> list) {
    std::vector<uint8_t> bytes;
    for (int b : list)
        bytes.push_back(static_cast<uint8_t>(b));
    return bytes;
}

const char16_t Hebrew[] = u"\u05D0\u05D1\u05D2\u05D3\u05D4";

} // namespace

TEST(AsciiValueTest, LineBreakEscapeIsOneStoredCharacter) {
    cAsciiValue value(3, "a\\nb");
    EXPECT_EQ(value.storedSize(), 6u);
    std::vector<uint8_t> bytes = Written(value);
    EXPECT_EQ(bytes, Bytes({0, 3, 'a', 0x0A, 'b', 0}));

    cAsciiValue back;
    cByteReader reader(bytes);
    ASSERT_TRUE(back.read(reader));
    EXPECT_EQ(back.attribute, 3);
    EXPECT_STREQ(back.text.text(), "a\\nb");
    EXPECT_TRUE(reader.atEnd());
}

TEST(AsciiValueTest, DoubledBackslashIsOneStoredBackslash) {
    cAsciiValue value(0, "a\\\\b");
    EXPECT_EQ(value.storedSize(), 6u);
    EXPECT_EQ(Written(value), Bytes({0, 0, 'a', '\\', 'b', 0}));
}

TEST(AsciiValueTest, OtherBackslashPairsStayAndComeBackDoubled) {
    cAsciiValue value(0, "a\\tb");
    EXPECT_EQ(value.storedSize(), 7u);
    std::vector<uint8_t> bytes = Written(value);
    EXPECT_EQ(bytes, Bytes({0, 0, 'a', '\\', 't', 'b', 0}));

    cAsciiValue back;
    cByteReader reader(bytes);
    ASSERT_TRUE(back.read(reader));
    EXPECT_STREQ(back.text.text(), "a\\\\tb");
    EXPECT_EQ(Written(back), bytes);
}

TEST(AsciiValueTest, TrailingLoneBackslashAndEmptyText) {
    cAsciiValue lone(0, "x\\");
    EXPECT_EQ(Written(lone), Bytes({0, 0, 'x', '\\', 0}));
    cAsciiValue empty;
    EXPECT_EQ(empty.storedSize(), 3u);
    EXPECT_EQ(Written(empty), Bytes({0, 0, 0}));
}

TEST(AsciiValueTest, ReadFailsWithoutTerminator) {
    std::vector<uint8_t> bytes = Bytes({0, 1, 'a', 'b'});
    cAsciiValue value;
    cByteReader reader(bytes);
    EXPECT_FALSE(value.read(reader));
    std::vector<uint8_t> shortIndex = Bytes({0});
    cByteReader reader2(shortIndex);
    EXPECT_FALSE(value.read(reader2));
}

TEST(AsciiValueTest, CloneCopiesAttributeAndText) {
    cAsciiValue value(5, "text");
    std::unique_ptr<cValue> copy(value.clone());
    EXPECT_EQ(copy->attribute, 5);
    EXPECT_EQ(copy->mediaType(), MediaTypeAscii);
    auto* ascii = static_cast<cAsciiValue*>(copy.get());
    EXPECT_TRUE(ascii->text.equals("text"));
    EXPECT_NE(ascii->text.text(), value.text.text());
}

TEST(AsciiValueTest, EscapeAndUnescapeAreInverse) {
    std::string raw = "line1\nback\\slash\\n";
    std::string escaped = cAsciiValue::escape(raw.data(), raw.size());
    EXPECT_EQ(escaped, "line1\\nback\\\\slash\\\\n");
    EXPECT_EQ(cAsciiValue::unescape(escaped.c_str()), raw);
    EXPECT_EQ(cAsciiValue::unescapedLength(escaped.c_str()), raw.size());
    EXPECT_EQ(cAsciiValue::unescapedLength(nullptr), 0u);
}

TEST(UnicodeValueTest, RightToLeftTextGetsTheMark) {
    cUnicodeValue value(1, Hebrew);
    EXPECT_TRUE(value.needsRtlMark());
    EXPECT_EQ(value.storedSize(), 16u);
    std::vector<uint8_t> bytes = Written(value);
    EXPECT_EQ(bytes, Bytes({0, 1, 0x20, 0x2B, 0x05, 0xD0, 0x05, 0xD1, 0x05, 0xD2, 0x05, 0xD3, 0x05,
                            0xD4, 0, 0}));

    cUnicodeValue back;
    cByteReader reader(bytes);
    ASSERT_TRUE(back.read(reader));
    EXPECT_EQ(back.length(), 5u);
    EXPECT_EQ(std::u16string(back.text()), std::u16string(Hebrew));
}

TEST(UnicodeValueTest, LeftToRightEmbeddingSuppressesTheMark) {
    std::u16string text = u"\u202A" + std::u16string(Hebrew);
    cUnicodeValue value(0, text.c_str());
    EXPECT_FALSE(value.needsRtlMark());
    EXPECT_EQ(value.storedSize(), 16u);
    Written(value);
}

TEST(UnicodeValueTest, MarkIsNeededForARightToLeftUnitAnywhere) {
    EXPECT_TRUE(cUnicodeValue::needsRtlMark(u"abc\u0627", 4));
    EXPECT_FALSE(cUnicodeValue::needsRtlMark(u"abc", 3));
    EXPECT_FALSE(cUnicodeValue::needsRtlMark(u"\u0627", 0));
    EXPECT_FALSE(cUnicodeValue::needsRtlMark(nullptr, 0));
    // Every unit of the table, and no other, asks for the mark, behind a Latin letter too.
    for (uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const char16_t text[] = {u'a', static_cast<char16_t>(unit)};
        ASSERT_EQ(cUnicodeValue::needsRtlMark(text, 2), cUnicodeValue::isRightToLeft(text[1]))
            << std::hex << unit;
    }
}

TEST(UnicodeValueTest, EmptyAndUnsetTexts) {
    cUnicodeValue unset;
    EXPECT_EQ(unset.text(), nullptr);
    EXPECT_TRUE(unset.isEmpty());
    EXPECT_EQ(unset.storedSize(), 4u);
    EXPECT_EQ(Written(unset), Bytes({0, 0, 0, 0}));
    std::unique_ptr<cValue> copy(unset.clone());
    EXPECT_EQ(static_cast<cUnicodeValue*>(copy.get())->text(), nullptr);

    cUnicodeValue empty(0, u"");
    ASSERT_NE(empty.text(), nullptr);
    EXPECT_EQ(empty.length(), 0u);
    EXPECT_EQ(empty.storedSize(), 4u);
    empty.setText(static_cast<const char16_t*>(nullptr));
    EXPECT_NE(empty.text(), nullptr);
}

TEST(UnicodeValueTest, ReadDropsOneLeadingMarkOnlyAndFailsWithoutTerminator) {
    std::vector<uint8_t> twoMarks = Bytes({0, 0, 0x20, 0x2B, 0x20, 0x2B, 0, 'x', 0, 0});
    cUnicodeValue value;
    cByteReader reader(twoMarks);
    ASSERT_TRUE(value.read(reader));
    EXPECT_EQ(std::u16string(value.text()), u"\u202Bx");

    std::vector<uint8_t> open = Bytes({0, 0, 0, 'x', 0});
    cByteReader reader2(open);
    EXPECT_FALSE(value.read(reader2));
}

TEST(UnicodeValueTest, IgnoresTextOfTheOtherEncoding) {
    cUnicodeValue value(0, u"keep");
    cValue& base = value;
    base.setText("bytes");
    EXPECT_EQ(std::u16string(value.text()), u"keep");
}

TEST(RightToLeftTest, TableEdges) {
    // Both ends of several ranges, and the units just outside them.
    EXPECT_TRUE(cUnicodeValue::isRightToLeft(0x05BE));
    EXPECT_FALSE(cUnicodeValue::isRightToLeft(0x05BF));
    EXPECT_TRUE(cUnicodeValue::isRightToLeft(0x05D0));
    EXPECT_TRUE(cUnicodeValue::isRightToLeft(0x05EA));
    EXPECT_FALSE(cUnicodeValue::isRightToLeft(0x05EB));
    EXPECT_TRUE(cUnicodeValue::isRightToLeft(0x200F));
    EXPECT_FALSE(cUnicodeValue::isRightToLeft(0x200E));
    EXPECT_FALSE(cUnicodeValue::isRightToLeft(0x0620));
    EXPECT_TRUE(cUnicodeValue::isRightToLeft(0x0621));
    EXPECT_FALSE(cUnicodeValue::isRightToLeft(0x0711));
    EXPECT_TRUE(cUnicodeValue::isRightToLeft(0x07A5));
    EXPECT_FALSE(cUnicodeValue::isRightToLeft(0xFB1E));
    EXPECT_FALSE(cUnicodeValue::isRightToLeft(0xFB29));
    EXPECT_FALSE(cUnicodeValue::isRightToLeft(0xFD90));
    EXPECT_FALSE(cUnicodeValue::isRightToLeft(0xFE73));
    EXPECT_TRUE(cUnicodeValue::isRightToLeft(0xFE74));
    EXPECT_TRUE(cUnicodeValue::isRightToLeft(0xFEFC));
    EXPECT_FALSE(cUnicodeValue::isRightToLeft(0xFEFD));
    EXPECT_FALSE(cUnicodeValue::isRightToLeft(u'A'));
}

// A term's value list against a plain vector under random appends, removals, removals by
// attribute and moves: the same values in the same order, each destroyed once (the
// sanitizer build sees a leak or a double free).
TEST(ValueListTest, RandomEditsKeepOrderAndOwnership) {
    std::mt19937 random(7);
    cValueList list;
    std::vector<const cValue*> expected;
    for (int step = 0; step < 2000; ++step) {
        const uint16_t attribute = static_cast<uint16_t>(random() % 5);
        switch (random() % 4) {
        case 0:
        case 1:
            expected.push_back(list.append(new cAsciiValue(attribute, "x")));
            break;
        case 2:
            if (!expected.empty()) {
                const cValue* taken = expected[random() % expected.size()];
                cValue* removed = list.removePayload(taken);
                ASSERT_EQ(removed, taken);
                removed->destroy();
                expected.erase(std::find(expected.begin(), expected.end(), taken));
            }
            break;
        default:
            const auto ofAttribute = [&](const cValue* v) { return v->attribute == attribute; };
            expected.erase(std::remove_if(expected.begin(), expected.end(), ofAttribute),
                           expected.end());
            list.destroyIf(ofAttribute);
            list = cValueList(std::move(list));
        }
        ASSERT_EQ(list.count(), expected.size());
        std::vector<const cValue*> held(list.begin(), list.end());
        ASSERT_EQ(held, expected);
    }
    EXPECT_EQ(list.at(list.count()), nullptr);
    EXPECT_EQ(list.removePayload(nullptr), nullptr);
}

// Every length across the whole-word and 16-byte paths, with the byte sought at no place or
// at each place, among bytes that differ from it in one bit. The source and the target are
// allocated to size, so a read or write outside them fails under the sanitizer; the guard
// bytes around the target catch a stray write in any build.
TEST(CopyBytesTest, CopiesEveryLengthAndFindsTheByteAnywhere) {
    std::mt19937 random(7);
    const uint8_t neighbours[] = {'\\' ^ 1, '\\' ^ 0x80, '\\' ^ 0x20, 0, 0xFF, 'a'};
    for (size_t length = 0; length <= 70; ++length) {
        for (size_t at = 0; at <= length; ++at) { // at == length: the byte is nowhere
            auto in = std::make_unique<char[]>(length + 1);
            for (size_t i = 0; i < length; ++i)
                in[i] = static_cast<char>(neighbours[random() % sizeof neighbours]);
            if (at < length)
                in[at] = '\\';
            std::vector<uint8_t> out(length + 2, 0xA5);
            const bool without = CopyBytesWithout(out.data() + 1, in.get(), length, '\\');
            EXPECT_EQ(without, at == length) << length << " " << at;
            EXPECT_EQ(out.front(), 0xA5);
            EXPECT_EQ(out.back(), 0xA5);
            if (without) {
                EXPECT_TRUE(std::equal(in.get(), in.get() + length, out.begin() + 1,
                                       [](char a, uint8_t b) { return uint8_t(a) == b; }));
            }

            // The value writes the same bytes whichever path the copy takes, after bytes
            // already in the stream.
            in[length] = 0;
            cAsciiValue value(0x0102, in.get());
            cByteWriter writer;
            writer.writeU8(0xEE);
            value.write(writer);
            std::vector<uint8_t> expected = {0xEE, 0x01, 0x02};
            for (char c : cAsciiValue::unescape(in.get()))
                expected.push_back(static_cast<uint8_t>(c));
            expected.push_back(0);
            EXPECT_EQ(writer.bytes(), expected) << length << " " << at;
        }
    }
}
