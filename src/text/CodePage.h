#pragma once
// Conversion between the ANSI code page (Windows-1252, in which every 8-bit text of the
// system is held) and UTF-16. The C forms keep the calling convention of the platform calls
// they stand in for: the result counts the units written including the terminator, and 0
// means failure, in which case the destination (if it has room for anything) holds an empty
// text, because callers read the destination without looking at the count.

#include <cstddef>
#include <string>

// Converts the zero-terminated source into at most `capacity` units including the
// terminator. Every byte has a code point, so only a text that does not fit fails.
int AnsiToWide(char16_t* destination, int capacity, const char* source);

// Converts the zero-terminated source into at most `capacity` bytes including the
// terminator. A character the code page cannot hold becomes "?": one per code point, so a
// surrogate pair gives one "?", and so does an unpaired surrogate.
int WideToAnsi(char* destination, int capacity, const char16_t* source);

// Whole-string forms for C++ callers: every unit is converted, embedded NULs included.
std::u16string AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::u16string& text);

// The Ascii form of imported Unicode text: a unit below 256 is that byte (so texts written
// from Ascii values come back exact), any other character its Windows-1252 byte or "?".
// Replaces out; returns how many characters became "?" (a surrogate pair is one).
size_t AsciiFromUnicode(const char16_t* units, size_t length, std::string& out);

// One byte to its code point, and one BMP code point to its byte; false when the code page
// has no byte for it.
char16_t AnsiCharToWide(unsigned char byte);
bool WideCharToAnsi(char16_t unit, unsigned char& byte);
