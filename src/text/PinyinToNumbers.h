#pragma once
// Pinyin written with tone marks turned back into tone numbers, for tools that expect them.
// Each vowel with a mark of either style (the caron or the handheld's breve for tone 3)
// loses it, and its tone's digit goes to the end of its syllable: the mark's vowel, the
// second vowel of ai, ao, ei or ou, then n, ng or r unless a vowel follows them (where they
// begin the next syllable). ü stays ü. "nǐ hǎo" gives "ni3 hao3", "Běijīng" "Bei3jing1",
// "fángài" "fan2gai4", "lǜ" "lü4"; unmarked text comes back as it was.

#include <string>

std::u16string PinyinMarksToNumbers(const std::u16string& text);
