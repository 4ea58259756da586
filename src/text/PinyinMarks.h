#pragma once
// The vowels of pinyin with the tone marks of standard pinyin, lower and upper case, and the
// breves of the handheld style, which are read as tone 3 as well.

// The marked form of a plain vowel (a e i o u ü, either case) for tone 1 to 4, or 0 when
// unit is no such vowel or tone is out of range.
char16_t MarkedVowel(char16_t unit, int tone);

struct sToneMark {
    char16_t vowel; // the plain vowel, 0 when the unit carries no tone mark
    int tone;       // 1 to 4
};
// The plain vowel and tone of a marked vowel of either style.
sToneMark ToneMarkOf(char16_t unit);

// a e i o u ü in either case.
bool IsPlainVowel(char16_t unit);
// The ASCII lower case of a letter, ü for Ü; anything else as it is.
char16_t FoldCase(char16_t unit);
