#pragma once
// The database as JSON: every text exactly as held in memory (Ascii values in their escaped
// form), 8-bit texts decoded from Windows-1252 and UTF-16 texts decoded, all as UTF-8.
//
// {"name": str, "description": str,
//  "attributes": [{"media": int, "name": str}, ...],
//  "categories": [{"group": int, "name": str, "members": [int, ...]}, ...],
//  "terms": [[{"attribute": int, "text": str}, ...], ...]}
//
// Written as the database is walked, two spaces an indent level, with no tree of the whole
// document in memory; then a line break.

#include <ostream>

class cDatabase;

void WriteDatabaseJson(const cDatabase& db, std::ostream& out);
