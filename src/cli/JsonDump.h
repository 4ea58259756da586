#pragma once
// The database file as JSON: every text as a load holds it in memory (Ascii values in their
// escaped form), 8-bit texts decoded from Windows-1252 and UTF-16 texts decoded, all as
// UTF-8.
//
// {"name": str, "description": str,
//  "attributes": [{"media": int, "name": str}, ...],
//  "categories": [{"group": int, "name": str, "members": [int, ...]}, ...],
//  "terms": [[{"attribute": int, "text": str}, ...], ...]}
//
// Written as the file is read, two spaces an indent level, then a line break. Neither a
// database nor a tree of the document is built: the dump holds little more than the file's
// bytes.

#include <ostream>
#include <string>

// Writes the database file at path to out: 0 on success; 1 after the check's or the load's
// message has been shown, with nothing written.
int WriteDatabaseJson(const std::string& path, std::ostream& out);
