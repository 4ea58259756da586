#include "text/PinyinToNumbers.h"

#include "text/PinyinMarks.h"

namespace {

bool IsVowel(char16_t unit) {
    return IsPlainVowel(unit) || ToneMarkOf(unit).vowel != 0;
}

// The second vowel of ai, ao, ei and ou, which stays in the syllable of the marked first.
bool ClosesDiphthong(char16_t marked, char16_t next) {
    const char16_t first = FoldCase(marked);
    const char16_t second = FoldCase(next);
    return (first == u'a' && (second == u'i' || second == u'o')) ||
           (first == u'e' && second == u'i') || (first == u'o' && second == u'u');
}

// The end of the syllable whose marked vowel, plain `vowel`, is at `at`.
size_t SyllableEnd(const std::u16string& text, size_t at, char16_t vowel) {
    auto is = [&text](size_t i, char16_t letter) {
        return i < text.size() && FoldCase(text[i]) == letter;
    };
    auto vowelAt = [&text](size_t i) { return i < text.size() && IsVowel(text[i]); };
    size_t end = at + 1;
    if (FoldCase(vowel) == u'u' && end < text.size() && text[end] == u':')
        ++end; // the handheld style marks the u of u:
    else if (end < text.size() && ClosesDiphthong(vowel, text[end]))
        ++end;
    if (is(end, u'n')) {
        if (is(end + 1, u'g') && !vowelAt(end + 2))
            end += 2;
        else if (!vowelAt(end + 1))
            end += 1;
    } else if (is(end, u'r') && !vowelAt(end + 1)) {
        end += 1;
    }
    return end;
}

} // namespace

std::u16string PinyinMarksToNumbers(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 2);
    for (size_t i = 0; i < text.size(); ++i) {
        const sToneMark mark = ToneMarkOf(text[i]);
        if (mark.vowel == 0) {
            out.push_back(text[i]);
            continue;
        }
        const size_t end = SyllableEnd(text, i, mark.vowel);
        out.push_back(mark.vowel);
        out.append(text, i + 1, end - i - 1);
        out.push_back(static_cast<char16_t>(u'0' + mark.tone));
        i = end - 1;
    }
    return out;
}
