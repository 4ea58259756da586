#pragma once
// The checks made before a database file is opened, each with its message.

#include <string>

// 0 when the file may be loaded; 1 when it was refused, after its message (TextFileMissing,
// TextNotARegularFile, TextLoadFailed, TextNotADatabase, TextFileCorrupt or
// TextUnicodeUnsupported under TextCaptionError) has been shown and its reason recorded.
int CheckDatabaseFile(const std::string& path);

// The text to show for a non-zero result of cDatabase::load: TextBadFormat, TextBadVersion
// or TextLoadFailed.
int LoadFailureText(int loadResult);

// The text to show when cDatabase::save failed: TextTooManyTermsToSave when the database
// holds more terms than a file can store, TextSaveFailed otherwise.
class cDatabase;
int SaveFailureText(const cDatabase& db);
