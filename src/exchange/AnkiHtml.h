#pragma once
// Anki keeps every field as an HTML fragment in UTF-8. These turn a fragment into the plain
// text a value holds, and a value's text into a fragment.

#include <cstdint>
#include <string>

// The fragment as plain UTF-8 text: tags removed, character references decoded, <br> and
// the block elements (<div>, <p>, <li>, <tr>) as line breaks, the contents of <script> and
// <style> and comments dropped. Sound references ("[sound:…]") and <img>, <audio> and
// <video> elements are dropped and counted in droppedMedia. Line breaks at the start and
// end are trimmed, and so are spaces when a reference was dropped; other whitespace stays.
std::string AnkiHtmlToText(const std::string& html, uint32_t& droppedMedia);

// Plain UTF-8 text as a fragment: &, <, > and " as references, each line break (LF, CR LF
// or CR) as <br>.
std::string AnkiTextToHtml(const std::string& text);

// What Anki makes of a fragment for sorting and for its first-field checksum: tags removed
// without a trace, references decoded, no-break spaces as spaces.
std::string AnkiStripHtml(const std::string& html);

// Anki's checksum of a note: the first 32 bits of the SHA-1 of its stripped first field.
uint32_t AnkiFieldChecksum(const std::string& strippedField);
