#pragma once
// Pinyin written with tone numbers turned into standard pinyin. A digit 0 to 5 that follows
// a syllable (a run of Latin letters, ü and u:) ends it and is removed: v, u: and ü there
// become ü; tones 1 to 4 mark a or e when present, else the o of "ou", else the last vowel,
// with the caron for tone 3, capitals included; 5 and 0 mark nothing. The syllable ends at
// anything else (a space, punctuation, a digit, a marked vowel), so a digit never marks an
// earlier syllable, and a digit after no syllable stays. "Lu:4 Liu2 An1" gives "Lǜ Liú Ān".

#include <cstddef>
#include <string>

// Converts only the digits in [from, to); the syllable a digit ends may begin before from.
std::u16string ConvertStandardPinyin(const std::u16string& text, size_t from, size_t to);
