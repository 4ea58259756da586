#include "exchange/SqliteDatabase.h"

#include <algorithm>
#include <cstring>

#include <sqlite3.h>

namespace {

// Virtual-machine steps between two calls of the progress handler.
constexpr int kProgressInterval = 1000;
// The work a read may do: steps per byte of the image, on top of a floor.
constexpr int64_t kStepsPerByte = 64;
constexpr int64_t kStepFloor = 200000000;
// SQLite's memory beyond the image itself.
constexpr int64_t kHeapFloor = 64 << 20;
// The file-format bytes that choose the journal: 2 is write-ahead logging, which an
// in-memory database cannot use; 1 is the rollback journal.
constexpr size_t kWriteVersionOffset = 18;
constexpr size_t kReadVersionOffset = 19;
constexpr size_t kHeaderSize = 100;

// Anki's "unicase" compares case-insensitively. Nothing here sorts or searches by it (the
// reads go by id), so folding ASCII letters is enough to give SQLite a consistent order.
int CompareUnicase(void*, int leftLength, const void* left, int rightLength, const void* right) {
    const auto* a = static_cast<const unsigned char*>(left);
    const auto* b = static_cast<const unsigned char*>(right);
    const int common = std::min(leftLength, rightLength);
    for (int i = 0; i < common; ++i) {
        const int x = (a[i] >= 'A' && a[i] <= 'Z') ? a[i] + 32 : a[i];
        const int y = (b[i] >= 'A' && b[i] <= 'Z') ? b[i] + 32 : b[i];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return leftLength == rightLength ? 0 : (leftLength < rightLength ? -1 : 1);
}

} // namespace

cSqliteDatabase::~cSqliteDatabase() {
    if (db_)
        sqlite3_close_v2(db_);
    if (limitedHeap_)
        sqlite3_hard_heap_limit64(previousHeapLimit_);
}

int cSqliteDatabase::Progress(void* self) {
    auto* database = static_cast<cSqliteDatabase*>(self);
    database->budget_ -= kProgressInterval;
    if (database->budget_ < 0)
        database->overBudget_ = true;
    return database->overBudget_ ? 1 : 0;
}

bool cSqliteDatabase::openImage(const std::string& image, std::string& reason) {
    reason = "the collection is not an SQLite database, or is damaged";
    if (image.size() < kHeaderSize || sqlite3_open(":memory:", &db_) != SQLITE_OK)
        return false;
    previousHeapLimit_ = sqlite3_hard_heap_limit64(-1);
    const int64_t ceiling = int64_t(image.size()) + kHeapFloor;
    if (previousHeapLimit_ == 0 || previousHeapLimit_ > ceiling) {
        sqlite3_hard_heap_limit64(ceiling);
        limitedHeap_ = true;
    }
    budget_ = int64_t(image.size()) * kStepsPerByte + kStepFloor;
    sqlite3_progress_handler(db_, kProgressInterval, &cSqliteDatabase::Progress, this);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    if (sqlite3_create_collation(db_, "unicase", SQLITE_UTF8, nullptr, CompareUnicase) != SQLITE_OK)
        return false;

    auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(image.size()));
    if (!copy) {
        reason = "not enough memory for the collection";
        return false;
    }
    std::memcpy(copy, image.data(), image.size());
    if (copy[kWriteVersionOffset] == 2 && copy[kReadVersionOffset] == 2)
        copy[kWriteVersionOffset] = copy[kReadVersionOffset] = 1;
    if (sqlite3_deserialize(db_, "main", copy, image.size(), image.size(),
                            SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY) !=
        SQLITE_OK)
        return false;
    // The schema is read, and checked, on the first statement.
    if (!exec("SELECT count(*) FROM sqlite_master"))
        return false;
    reason.clear();
    return true;
}

bool cSqliteDatabase::openEmpty() {
    return sqlite3_open(":memory:", &db_) == SQLITE_OK;
}

bool cSqliteDatabase::exec(const char* sql) {
    return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool cSqliteDatabase::hasTable(const char* name) {
    cSqliteStatement query(*this, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                                  "name = ?");
    query.bind(1, std::string(name));
    return query.step() && query.integer(0) > 0;
}

bool cSqliteDatabase::serialize(std::string& out) {
    sqlite3_int64 size = 0;
    unsigned char* bytes = db_ ? sqlite3_serialize(db_, "main", &size, 0) : nullptr;
    if (!bytes)
        return false;
    out.assign(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
    sqlite3_free(bytes);
    return true;
}

cSqliteStatement::cSqliteStatement(cSqliteDatabase& db, const char* sql) {
    if (!db.handle() ||
        sqlite3_prepare_v2(db.handle(), sql, -1, &statement_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
        failed_ = true;
    }
}

cSqliteStatement::~cSqliteStatement() {
    sqlite3_finalize(statement_);
}

bool cSqliteStatement::step() {
    if (!statement_ || failed_)
        return false;
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE)
        failed_ = true;
    return false;
}

int64_t cSqliteStatement::integer(int column) const {
    return statement_ ? sqlite3_column_int64(statement_, column) : 0;
}

int64_t cSqliteStatement::length(int column) const {
    return statement_ ? sqlite3_column_bytes(statement_, column) : 0;
}

std::string cSqliteStatement::text(int column) const {
    if (!statement_)
        return std::string();
    const void* bytes = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes ? std::string(static_cast<const char*>(bytes), static_cast<size_t>(size))
                 : std::string();
}

void cSqliteStatement::bind(int position, int64_t value) {
    if (statement_ && sqlite3_bind_int64(statement_, position, value) != SQLITE_OK)
        failed_ = true;
}

void cSqliteStatement::bind(int position, const std::string& text) {
    if (statement_ && sqlite3_bind_text64(statement_, position, text.data(), text.size(),
                                          SQLITE_TRANSIENT, SQLITE_UTF8) != SQLITE_OK)
        failed_ = true;
}

bool cSqliteStatement::run() {
    while (step()) {
    }
    if (statement_)
        sqlite3_reset(statement_);
    return !failed_;
}
