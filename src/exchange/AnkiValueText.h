#pragma once
// The texts of a database as UTF-8, the way Anki's files want them: Ascii texts through
// Windows-1252 (Ascii values unescaped, so a line break is a real one), Unicode texts as they
// are.

#include <cstdint>
#include <string>
#include <vector>

class cDatabase;
class cTerm;

std::string AnsiTextToUtf8(const char* ansi);

// The term's text for each attribute below attributeCount, "" where it has no value; a
// term's first value of an attribute is the one that counts.
std::vector<std::string> TermTextsUtf8(const cTerm& term, uint32_t attributeCount);

// For every term, the names of the categories that hold it as Anki tags, in category order,
// separated by spaces: whitespace in a name becomes '_', and an empty name is left out.
std::vector<std::string> AnkiTagsOfTerms(const cDatabase& db);

// True when some category has a name that gives a tag.
bool HasAnkiTags(const cDatabase& db);
