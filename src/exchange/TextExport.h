#pragma once
// Export of Vesk Text and tab-delimited text, the formats ImportTextFile reads. The layout
// is described at the top of TextExport.cpp.

#include <string>

class cDatabase;

// Writes db to the text file at path: Vesk Text when ownFormat, otherwise tab-delimited
// term rows. Returns 0 when the file was written and 1 when it could not be (the previous
// file at path is then unchanged).
int ExportTextFile(const cDatabase& db, const std::string& path, bool ownFormat);
