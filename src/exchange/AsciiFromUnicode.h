#pragma once
// Ascii text (Windows-1252 bytes) from imported UTF-16 text, character for character the way
// typing it into an Ascii attribute gives it. A unit below 256 is taken as that byte, even
// in 0x80-0x9F where the code page means other characters: exports before this rule wrote
// every byte b as the unit b, and those files must read back exactly.

#include <cstddef>
#include <string>

// Replaces out with the Ascii form of units; returns how many characters had no byte and
// became "?" (a surrogate pair is one character).
size_t AsciiFromUnicode(const char16_t* units, size_t length, std::string& out);
