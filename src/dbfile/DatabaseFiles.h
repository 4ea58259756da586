#pragma once
// Opening and saving a database file as the user's commands do, messages included.

#include <string>

class cDatabase;

// Checks the file, then loads it into db, which must be empty and is left with what was
// read. 0 on success; 1 after the check's or the load's message has been shown.
int LoadDatabaseFile(const std::string& path, cDatabase& db);

// Saves db to path, as Save As does: the path becomes the database's, and an unnamed
// database is named after the file (its base name, at most 31 characters). 0 on success;
// 1 after the failure has been shown (SaveFailureText's text under TextCaptionError).
int SaveDatabaseAs(cDatabase& db, const std::string& path);

// The database name Save As derives from a file path.
std::string DatabaseNameFromPath(const std::string& path);
