#pragma once
// The checks made before a database file is opened, each with its message.

#include <cstdint>
#include <string>
#include <vector>

// 0 when the file may be loaded; 1 when it was refused, after its message (TextFileMissing,
// TextNotARegularFile, TextLoadFailed, TextNotADatabase, TextFileCorrupt or
// TextUnicodeUnsupported under TextCaptionError) has been shown and its reason recorded.
int CheckDatabaseFile(const std::string& path);
// The same, leaving the whole file's bytes in bytes when it may be loaded, so that the load
// does not read it again.
int CheckDatabaseFile(const std::string& path, std::vector<uint8_t>& bytes);

// The text to show for a non-zero result of cDatabase::load: TextBadFormat, TextBadVersion
// or TextLoadFailed.
int LoadFailureText(int loadResult);

// The text to show when cDatabase::save failed: TextTooManyTermsToSave when the database
// holds more terms than a file can store, TextSaveFailed otherwise.
class cDatabase;
int SaveFailureText(const cDatabase& db);
