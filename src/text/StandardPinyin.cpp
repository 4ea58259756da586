#include "text/StandardPinyin.h"

#include "text/PinyinMarks.h"

#include <algorithm>

namespace {

const char16_t SmallUmlaut = 0x00FC;
const char16_t CapitalUmlaut = 0x00DC;

bool IsSyllableLetter(char16_t unit) {
    return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
           unit == SmallUmlaut || unit == CapitalUmlaut;
}

bool IsU(char16_t unit) {
    return unit == u'u' || unit == u'U';
}

int ToneOfDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'5' ? unit - u'0' : -1;
}

// Writes v, V, u: and U: of out[start, end of out) as ü or Ü.
void WriteUmlauts(std::u16string& out, size_t start) {
    size_t write = start;
    for (size_t read = start; read < out.size(); ++read) {
        char16_t unit = out[read];
        const bool small = unit == u'v' || unit == u'u';
        if (unit == u'v' || unit == u'V' ||
            (IsU(unit) && read + 1 < out.size() && out[read + 1] == u':')) {
            if (IsU(unit))
                ++read;
            unit = small ? SmallUmlaut : CapitalUmlaut;
        }
        out[write++] = unit;
    }
    out.resize(write);
}

// The position of the vowel that carries the tone in out[start, end of out), or npos.
size_t ToneVowel(const std::u16string& out, size_t start) {
    const auto begin = out.begin() + static_cast<std::ptrdiff_t>(start);
    for (char16_t letter : {u'a', u'e'}) {
        auto found = std::find_if(begin, out.end(),
                                  [letter](char16_t unit) { return FoldCase(unit) == letter; });
        if (found != out.end())
            return static_cast<size_t>(found - out.begin());
    }
    for (size_t i = start; i + 1 < out.size(); ++i)
        if (FoldCase(out[i]) == u'o' && FoldCase(out[i + 1]) == u'u')
            return i;
    for (size_t i = out.size(); i-- > start;)
        if (IsPlainVowel(out[i]))
            return i;
    return std::u16string::npos;
}

} // namespace

std::u16string ConvertStandardPinyin(const std::u16string& text, size_t from, size_t to) {
    std::u16string out;
    out.reserve(text.size());
    to = std::min(to, text.size());
    // The current syllable is out[syllable, end of out); empty when out ends in anything else.
    size_t syllable = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        const char16_t unit = text[k];
        const int tone = ToneOfDigit(unit);
        if (tone >= 0 && k >= from && k < to && syllable < out.size()) {
            WriteUmlauts(out, syllable);
            const size_t vowel = ToneVowel(out, syllable);
            if (vowel != std::u16string::npos && tone >= 1 && tone <= 4)
                out[vowel] = MarkedVowel(out[vowel], tone);
            syllable = out.size();
            continue;
        }
        out.push_back(unit);
        const bool colonOfU =
            unit == u':' && out.size() >= syllable + 2 && IsU(out[out.size() - 2]);
        if (!IsSyllableLetter(unit) && !colonOfU)
            syllable = out.size();
    }
    return out;
}
