#pragma once
// The checks made before a database file is opened, each with its message.

#include <string>

// 0 when the file may be loaded; 1 when it was refused, after its message (texts 61, 240,
// 60, 93, 91 or 92 under caption 58) has been shown and its reason recorded.
int CheckDatabaseFile(const std::string& path);

// The text to show for a non-zero result of cDatabase::load: 99, 100 or 60.
int LoadFailureText(int loadResult);

// The text to show when cDatabase::save failed: 118 when the database holds more terms than
// a file can store, 39 otherwise.
class cDatabase;
int SaveFailureText(const cDatabase& db);
