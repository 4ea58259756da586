#include "text/PinyinMarks.h"

namespace {

const char16_t Plain[12] = {u'a', u'e', u'i', u'o', u'u', 0x00FC,
                            u'A', u'E', u'I', u'O', u'U', 0x00DC};

// Rows follow Plain, columns the tones 1 to 4; tone 3 is the caron throughout.
const char16_t Marked[12][4] = {
    {0x0101, 0x00E1, 0x01CE, 0x00E0}, // a
    {0x0113, 0x00E9, 0x011B, 0x00E8}, // e
    {0x012B, 0x00ED, 0x01D0, 0x00EC}, // i
    {0x014D, 0x00F3, 0x01D2, 0x00F2}, // o
    {0x016B, 0x00FA, 0x01D4, 0x00F9}, // u
    {0x01D6, 0x01D8, 0x01DA, 0x01DC}, // ü
    {0x0100, 0x00C1, 0x01CD, 0x00C0}, // A
    {0x0112, 0x00C9, 0x011A, 0x00C8}, // E
    {0x012A, 0x00CD, 0x01CF, 0x00CC}, // I
    {0x014C, 0x00D3, 0x01D1, 0x00D2}, // O
    {0x016A, 0x00DA, 0x01D3, 0x00D9}, // U
    {0x01D5, 0x01D7, 0x01D9, 0x01DB}, // Ü
};

// The handheld style's tone 3 on a, i, o and u, both cases.
const sToneMark Breves[8] = {{u'a', 3}, {u'A', 3}, {u'i', 3}, {u'I', 3},
                             {u'o', 3}, {u'O', 3}, {u'u', 3}, {u'U', 3}};
const char16_t BreveUnits[8] = {0x0103, 0x0102, 0x012D, 0x012C, 0x014F, 0x014E, 0x016D, 0x016C};

int PlainRow(char16_t unit) {
    for (int row = 0; row < 12; ++row)
        if (Plain[row] == unit)
            return row;
    return -1;
}

} // namespace

char16_t MarkedVowel(char16_t unit, int tone) {
    const int row = PlainRow(unit);
    return row >= 0 && tone >= 1 && tone <= 4 ? Marked[row][tone - 1] : 0;
}

sToneMark ToneMarkOf(char16_t unit) {
    // Every marked vowel lies in Latin-1 Supplement or Latin Extended-A and -B.
    if (unit < 0x00C0 || unit > 0x01DC)
        return {0, 0};
    for (int row = 0; row < 12; ++row)
        for (int tone = 0; tone < 4; ++tone)
            if (Marked[row][tone] == unit)
                return {Plain[row], tone + 1};
    for (int i = 0; i < 8; ++i)
        if (BreveUnits[i] == unit)
            return Breves[i];
    return {0, 0};
}

bool IsPlainVowel(char16_t unit) {
    return PlainRow(unit) >= 0;
}

char16_t FoldCase(char16_t unit) {
    if (unit >= u'A' && unit <= u'Z')
        return static_cast<char16_t>(unit - u'A' + u'a');
    return unit == 0x00DC ? char16_t(0x00FC) : unit;
}
