#pragma once
// The two ways of turning pinyin tone numbers into tone marks, behind one call, for the
// editor's hook and the imports.
//
//   style      where the mark goes                          tone 3   ü, capitals, 5 and 0
//   Handheld   the nearest plain lower-case vowel before    breve    none; 5 and 0 stay
//              the digit, across syllables (Pinyin.h)       (ĕ)
//   Standard   a or e, else the o of "ou", else the last    caron    v, u: and ü give ü;
//              vowel, within the syllable (StandardPinyin.h)          capitals are marked;
//                                                                    5 and 0 are removed
//
// Handheld is what the handheld's fonts and the databases already made hold, so it stays
// the editor's default.

#include <cstddef>
#include <string>

enum class ePinyinStyle { Handheld, Standard };

std::u16string ConvertPinyin(const std::u16string& text, ePinyinStyle style);
// Converts only the digits in [from, to), the part of the text just typed or pasted.
std::u16string ConvertPinyin(const std::u16string& text, size_t from, size_t to,
                             ePinyinStyle style);
