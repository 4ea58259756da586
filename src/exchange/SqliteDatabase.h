#pragma once
// SQLite databases held in memory, for Anki collections: a collection read from a package is
// opened from its bytes (never from a file), read-only, with a ceiling on SQLite's memory
// and on the work one statement may do, so that a hostile collection costs bounded memory
// and time. A collection to be written is built in memory and handed back as bytes.

#include <cstdint>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

class cSqliteDatabase {
public:
    cSqliteDatabase() = default;
    cSqliteDatabase(const cSqliteDatabase&) = delete;
    cSqliteDatabase& operator=(const cSqliteDatabase&) = delete;
    ~cSqliteDatabase();

    // Opens a read-only copy of image, a whole database file. Anki's "unicase" collation is
    // registered first, as the newer collections' tables name it. False, with reason, when
    // SQLite refuses it.
    bool openImage(const std::string& image, std::string& reason);
    // Opens a new, empty database for writing.
    bool openEmpty();
    // Runs statements that return no rows; false on any failure.
    bool exec(const char* sql);
    // True when the database has a table (not a view) of that name.
    bool hasTable(const char* name);
    // The database file's bytes; false when SQLite cannot give them.
    bool serialize(std::string& out);
    // True once a statement was stopped for doing more work than the image's size allows.
    bool overBudget() const { return overBudget_; }

    sqlite3* handle() const { return db_; }

private:
    static int Progress(void* self);

    sqlite3* db_ = nullptr;
    int64_t budget_ = 0;
    bool overBudget_ = false;
    bool limitedHeap_ = false;
    int64_t previousHeapLimit_ = 0;
};

// One prepared statement. Column and bind positions are SQLite's: columns from 0, binds
// from 1.
class cSqliteStatement {
public:
    cSqliteStatement(cSqliteDatabase& db, const char* sql);
    cSqliteStatement(const cSqliteStatement&) = delete;
    cSqliteStatement& operator=(const cSqliteStatement&) = delete;
    ~cSqliteStatement();

    bool prepared() const { return statement_ != nullptr; }
    // True while there is a row; false at the end and on a failure (failed() tells which).
    bool step();
    bool failed() const { return failed_; }
    int64_t integer(int column) const;
    // A column's length in bytes, without fetching its text.
    int64_t length(int column) const;
    // A text or blob column's bytes; "" for NULL.
    std::string text(int column) const;

    void bind(int position, int64_t value);
    void bind(int position, const std::string& text);
    // Runs the bound statement to its end and resets it for the next binds; false on failure.
    bool run();

private:
    sqlite3_stmt* statement_ = nullptr;
    bool failed_ = false;
};
