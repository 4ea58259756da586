#pragma once
// UTF-8 <-> UTF-16, for JSON output and UTF-8 text files. Malformed input never fails the
// conversion: whatever cannot be decoded becomes U+FFFD.

#include <string>

// An unpaired surrogate becomes U+FFFD; a surrogate pair becomes one four-byte sequence.
std::string Utf16ToUtf8(const std::u16string& text);

// Each malformed sequence (a stray continuation byte, a truncated sequence, an overlong
// form, an encoded surrogate, a value above U+10FFFF, the bytes F5 to FF) becomes one U+FFFD
// per maximal bad subsequence, so decoding resumes at the next byte that could start a
// character. A leading byte order mark is kept; callers that read files drop it.
std::u16string Utf8ToUtf16(const std::string& text);
// The same for bytes that are not a string of their own (a file read into memory).
std::u16string Utf8ToUtf16(const char* text, size_t size);

// The first maxChars characters of UTF-8 text (all of it when shorter), never cut inside a
// multi-byte sequence; every byte that does not continue a sequence counts as a character.
std::string Utf8Prefix(const std::string& text, size_t maxChars);

// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t point);
