#pragma once
// The database file writer: cDatabase::save writes to the database's own path through it,
// the backup to a path of its own.

#include <memory>
#include <string>

#include "dbfile/SafeSave.h"

class cDatabase;

// Lays out a database and writes it in one safe save. The writer keeps the buffers of the
// layout from one write to the next (all but very large ones): the editor writes a backup
// after every change, and writing into memory already in place is much cheaper than into
// new pages. The term records of the last write, by any writer, are kept too: the next
// write copies the record of every term whose values did not change since.
class cDatabaseWriter {
public:
    cDatabaseWriter();
    ~cDatabaseWriter();
    cDatabaseWriter(const cDatabaseWriter&) = delete;
    cDatabaseWriter& operator=(const cDatabaseWriter&) = delete;

    // Writes db to path; a save result (SafeSave.h), with the reason of a failure in the
    // diagnostic log. The database is not changed; its path is not used.
    int write(const cDatabase& db, const std::string& path, const sSaveOptions& options = {});

private:
    struct sBuffers;
    std::unique_ptr<sBuffers> buffers_;
};

// For a process that writes a database once and ends: no write keeps its term records for
// the next.
void KeepNoTermRecords();

// cDatabaseWriter::write through the one writer of the program, which cDatabase::save uses
// as well.
int WriteDatabaseFile(const cDatabase& db, const std::string& path,
                      const sSaveOptions& options = {});
