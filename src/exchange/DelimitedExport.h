#pragma once
// Export as delimited text for spreadsheets and flashcard programs: UTF-8 with a byte-order
// mark (which spreadsheets need to tell it from their code page), comma-separated, CR LF
// line ends, RFC 4180 quoting. The first row names the attributes; then one row per term,
// one cell per attribute in attribute order. With categories, a last column "Categories"
// lists the categories of each term separated by ';' (one name with a space in it gets a
// ';' behind, so that it is not read as several). The import's defaults read it back as
// the same database (attribute types follow from the characters, DelimitedImport.h).

#include <string>

class cDatabase;

// The file's bytes.
std::string DelimitedText(const cDatabase& db, bool withCategories);
// Writes them to path through the safe save: 0 written, 1 failed (the previous file is
// unchanged, the reason recorded).
int ExportDelimitedFile(const cDatabase& db, const std::string& path, bool withCategories);
