#pragma once
// The numbered string table: every message, status text, tooltip and pane heading, in the
// ANSI code page. The numbers are shared with every caller; a number without a text loads
// as an empty text.

#include <string>

// Both loads write into one shared 512-byte buffer and return it: the ANSI load holds at
// most 511 characters, the UTF-16 load at most 255 units, each with a terminator. The next
// load overwrites the text, so a caller that needs two texts at once copies the first.
const char* LoadResourceText(int id);
const char16_t* LoadResourceTextW(int id);

// The text by value, for callers that must not disturb the shared buffer.
std::string ResourceString(int id);
