#include "text/Pinyin.h"

#include <gtest/gtest.h>

namespace {

std::u16string Convert(const std::u16string& text) {
    return ConvertPinyinNumbers(text);
}

// The buffer form, as the edit box uses it, with the same results as the string form.
std::u16string ConvertInBuffer(const std::u16string& text) {
    char16_t buffer[256] = {};
    text.copy(buffer, text.size());
    ConvertPinyinNumbers(buffer);
    return buffer;
}

} // namespace

TEST(Pinyin, SingleSyllablesMarkTheVowelBeforeTheDigit) {
    EXPECT_EQ(Convert(u"ni3"), u"n\u012D");
    EXPECT_EQ(Convert(u"ma1"), u"m\u0101");
    EXPECT_EQ(Convert(u"wo3"), u"w\u014F");
    EXPECT_EQ(Convert(u"hao3"), u"ha\u014F");
    EXPECT_EQ(Convert(u"gui4"), u"gu\u00EC");
    EXPECT_EQ(Convert(u"l\u00FCe4"), u"l\u00FC\u00E8");
}

TEST(Pinyin, ToneThreeUsesBreveExceptOnE) {
    EXPECT_EQ(Convert(u"a3 e3 i3 o3 u3"), u"\u0103 \u011B \u012D \u014F \u016D");
    EXPECT_EQ(Convert(u"a1e2i4"), u"\u0101\u00E9\u00EC");
}

TEST(Pinyin, DigitsAreHandledLeftToRight) {
    EXPECT_EQ(Convert(u"ni3hao3"), u"n\u012Dh\u0061\u014F");
    EXPECT_EQ(Convert(u"xi1an4"), u"x\u012B\u00E0n");
    // The second digit finds no plain vowel left and is only removed.
    EXPECT_EQ(Convert(u"a12"), u"\u0101");
}

TEST(Pinyin, DigitWithoutPlainVowelBeforeItIsOnlyRemoved) {
    EXPECT_EQ(Convert(u"3a"), u"a");
    EXPECT_EQ(Convert(u"MA3"), u"MA");
    EXPECT_EQ(Convert(u"lv3"), u"lv");
    EXPECT_EQ(Convert(u"x 3"), u"x ");
    // The search crosses spaces.
    EXPECT_EQ(Convert(u"ma 3"), u"m\u0103 ");
}

TEST(Pinyin, OtherDigitsAndEmptyTextStay) {
    EXPECT_EQ(Convert(u"a5 a0 a9"), u"a5 a0 a9");
    EXPECT_EQ(Convert(u""), u"");
}

TEST(Pinyin, BufferFormMatchesStringForm) {
    for (const char16_t* text : {u"ni3hao3", u"xi1an4", u"a12", u"3a", u"", u"lv3 ma1"})
        EXPECT_EQ(ConvertInBuffer(text), Convert(text));
}

TEST(Pinyin, ApplyToneMarkRemovesOneDigit) {
    char16_t text[] = u"hao3!";
    ApplyToneMark(text, 3, 2);
    EXPECT_EQ(std::u16string(text), u"ha\u014F!");

    char16_t untouched[] = u"ao";
    ApplyToneMark(untouched, 1, 7); // no such tone
    ApplyToneMark(untouched, 2, 0); // at the terminator
    EXPECT_EQ(std::u16string(untouched), u"ao");
}
