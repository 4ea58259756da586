#pragma once
// Pinyin written with tone numbers turned into pinyin with tone marks, as the user types:
// each digit 1 to 4 is removed and marks the nearest plain lower-case vowel before it.

#include <cstddef>
#include <string>

// Converts every tone digit of the zero-terminated text in place. The text only shrinks.
void ConvertPinyinNumbers(char16_t* text);
std::u16string ConvertPinyinNumbers(const std::u16string& text);
// Converts only the digits in [from, to), the part of the text just typed or pasted; the
// vowel a digit marks may lie before from.
std::u16string ConvertPinyinNumbers(const std::u16string& text, size_t from, size_t to);

// Removes the digit at `digitIndex` and gives the nearest vowel before it tone `tone`
// (0 to 3, the tone number minus one). A tone outside 0 to 3 or an index at or past the
// terminator leaves the text unchanged.
void ApplyToneMark(char16_t* text, size_t digitIndex, int tone);
