#pragma once
// The database file writer: cDatabase::save writes to the database's own path through it,
// the backup to a path of its own.

#include <string>

#include "dbfile/SafeSave.h"

class cDatabase;

// Lays out db and writes it to path in one safe save; a save result (SafeSave.h), with the
// reason of a failure in the diagnostic log. The database's path is neither used nor
// changed.
int WriteDatabaseFile(cDatabase& db, const std::string& path, const sSaveOptions& options = {});
