#pragma once
// Imported UTF-16 text in the forms the model holds, and back: Ascii values are escaped
// Windows-1252 (a line break as backslash and n, see Value.h), names plain Windows-1252,
// Unicode values the units themselves.

#include <cstddef>
#include <string>
#include <string_view>

class cValue;

// The escaped Ascii form into out (whose buffer is reused); replaced counts the characters
// that became "?".
void AsciiValueText(std::u16string_view text, std::string& out, size_t& replaced);
// A name's Windows-1252 form, "?" where there is none.
std::string NameText(std::u16string_view text);
// The characters a value shows: what an import of them would have given.
std::u16string ValueCharacters(const cValue& value);
// Without leading and trailing spaces: how keys of the duplicate policy are compared.
std::u16string_view TrimSpaces(std::u16string_view text);
