#include "text/Pinyin.h"

namespace {

const char16_t Vowels[5] = {u'a', u'e', u'i', u'o', u'u'};

// Rows follow Vowels, columns the tones 1 to 4. Tone 3 is the breve on a, i, o and u and the
// caron only on e. Databases already made hold exactly these characters, so this must not be
// "corrected" to the caron throughout.
const char16_t ToneMarks[5][4] = {
    {0x0101, 0x00E1, 0x0103, 0x00E0}, // a
    {0x0113, 0x00E9, 0x011B, 0x00E8}, // e
    {0x012B, 0x00ED, 0x012D, 0x00EC}, // i
    {0x014D, 0x00F3, 0x014F, 0x00F2}, // o
    {0x016B, 0x00FA, 0x016D, 0x00F9}, // u
};

int VowelRow(char16_t unit) {
    for (int row = 0; row < 5; ++row)
        if (Vowels[row] == unit)
            return row;
    return -1;
}

// The digit at `digitIndex` (< length) is removed and the mark applied; returns the new
// length. Works on a length rather than a terminator so that the string form can share it.
size_t RemoveDigitAndMark(char16_t* text, size_t length, size_t digitIndex, int tone) {
    for (size_t i = digitIndex; i + 1 < length; ++i)
        text[i] = text[i + 1];
    --length;
    // The search runs to the start of the text on purpose, across spaces and syllables.
    for (size_t i = digitIndex; i-- > 0;) {
        int row = VowelRow(text[i]);
        if (row >= 0) {
            text[i] = ToneMarks[row][tone];
            break;
        }
    }
    return length;
}

int ToneOfDigit(char16_t unit) {
    return unit >= u'1' && unit <= u'4' ? unit - u'1' : -1;
}

// Converts the digits in [from, to) of text[0, length); returns the new length.
size_t ConvertRange(char16_t* text, size_t length, size_t from, size_t to) {
    size_t k = from;
    while (k < to && k < length) {
        int tone = ToneOfDigit(text[k]);
        if (tone >= 0) {
            length = RemoveDigitAndMark(text, length, k, tone); // k now names the next unit
            --to;
        } else {
            ++k;
        }
    }
    return length;
}

size_t ConvertRange(char16_t* text, size_t length) {
    return ConvertRange(text, length, 0, length);
}

size_t TextLength(const char16_t* text) {
    size_t length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}

} // namespace

void ConvertPinyinNumbers(char16_t* text) {
    size_t length = ConvertRange(text, TextLength(text));
    text[length] = 0;
}

std::u16string ConvertPinyinNumbers(const std::u16string& text) {
    std::u16string result = text;
    result.resize(ConvertRange(result.data(), result.size()));
    return result;
}

std::u16string ConvertPinyinNumbers(const std::u16string& text, size_t from, size_t to) {
    std::u16string result = text;
    result.resize(ConvertRange(result.data(), result.size(), from, to));
    return result;
}

void ApplyToneMark(char16_t* text, size_t digitIndex, int tone) {
    if (tone < 0 || tone > 3)
        return;
    size_t length = TextLength(text);
    if (digitIndex >= length)
        return;
    text[RemoveDigitAndMark(text, length, digitIndex, tone)] = 0;
}
