#pragma once
// Import of Vesk Text (the program's own exchange format: a header, then one line per term
// whose first field names the term's categories) and of tab-delimited text (term lines
// only). The layout is described at the top of TextImport.cpp.

#include <string>

class cDatabase;

// Reads the text file at path into db, which should be fresh and empty; ownFormat selects
// Vesk Text, otherwise the file is tab-delimited. Returns 0 when the whole file was read and
// 1 on failure: a file that cannot be read fails silently, a line that cannot be parsed
// shows its "Line %d" message under the caption "Error" first. After a failure db holds
// what was read before the failing line; the caller discards it.
int ImportTextFile(cDatabase& db, const std::string& path, bool ownFormat);
