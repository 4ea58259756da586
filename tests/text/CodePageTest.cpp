#include "text/CodePage.h"

#include <gtest/gtest.h>

TEST(CodePage, AllBytesRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all.push_back(static_cast<char>(byte));
    std::u16string wide = AnsiToWide(all);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(WideToAnsi(wide), all);

    // The C forms as well (without NUL, which ends their text).
    char16_t wideBuffer[256];
    char ansiBuffer[256];
    ASSERT_EQ(AnsiToWide(wideBuffer, 256, all.c_str() + 1), 256);
    ASSERT_EQ(WideToAnsi(ansiBuffer, 256, wideBuffer), 256);
    EXPECT_EQ(std::string(ansiBuffer), all.substr(1));
}

TEST(CodePage, HighBlockMapsToTypographicCharacters) {
    EXPECT_EQ(AnsiCharToWide(0x80), u'\u20AC');
    EXPECT_EQ(AnsiCharToWide(0x85), u'\u2026');
    EXPECT_EQ(AnsiCharToWide(0x8A), u'\u0160');
    EXPECT_EQ(AnsiCharToWide(0x93), u'\u201C');
    EXPECT_EQ(AnsiCharToWide(0x99), u'\u2122');
    EXPECT_EQ(AnsiCharToWide(0x9F), u'\u0178');
    EXPECT_EQ(AnsiCharToWide(0xE9), u'\u00E9');
    // The undefined bytes keep their value, so nothing is lost.
    for (unsigned char byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(AnsiCharToWide(byte), static_cast<char16_t>(byte));

    EXPECT_EQ(WideToAnsi(u"\u20AC\u0178\u2014"), "\x80\x9F\x97");
}

TEST(CodePage, UnmappableCharactersBecomeQuestionMarks) {
    // C1 controls that have a typographic byte in the code page have no byte of their own.
    EXPECT_EQ(WideToAnsi(u"a\u0080b\u0100c\u4E2D"), "a?b?c?");
    // One mark per code point: a pair is one, unpaired surrogates are one each.
    EXPECT_EQ(WideToAnsi(u"x\U0001F600y"), "x?y");
    std::u16string unpaired = {u'a', 0xD800, u'b', 0xDC00, 0xD83D};
    EXPECT_EQ(WideToAnsi(unpaired), "a?b??");

    char buffer[8];
    EXPECT_EQ(WideToAnsi(buffer, 8, u"\U0001F600!"), 3);
    EXPECT_STREQ(buffer, "?!");
}

TEST(CodePage, CountsIncludeTheTerminator) {
    char16_t wide[4];
    EXPECT_EQ(AnsiToWide(wide, 4, "abc"), 4);
    EXPECT_EQ(std::u16string(wide), u"abc");
    EXPECT_EQ(AnsiToWide(wide, 1, ""), 1);
    EXPECT_EQ(wide[0], 0);

    char ansi[4];
    EXPECT_EQ(WideToAnsi(ansi, 4, u"\u00E9t\u00E9"), 4);
    EXPECT_STREQ(ansi, "\xE9t\xE9");
}

TEST(CodePage, TextThatDoesNotFitFailsWithEmptyDestination) {
    char16_t wide[3] = {u'x', u'x', u'x'};
    EXPECT_EQ(AnsiToWide(wide, 3, "abc"), 0);
    EXPECT_EQ(wide[0], 0);
    EXPECT_EQ(AnsiToWide(wide, 0, "a"), 0);

    char ansi[3] = {'x', 'x', 'x'};
    EXPECT_EQ(WideToAnsi(ansi, 3, u"abc"), 0);
    EXPECT_EQ(ansi[0], 0);
    // The surrogate pair counts as the one byte it becomes.
    EXPECT_EQ(WideToAnsi(ansi, 3, u"a\U0001F600"), 3);
    EXPECT_EQ(WideToAnsi(ansi, 2, u"a\U0001F600"), 0);
    EXPECT_EQ(ansi[0], 0);
}
