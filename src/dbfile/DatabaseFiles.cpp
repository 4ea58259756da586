#include "dbfile/DatabaseFiles.h"

#include <utility>

#include "dbfile/DatabaseCheck.h"
#include "dbfile/PdbFormat.h"
#include "model/Database.h"
#include "text/CodePage.h"
#include "text/Messages.h"
#include "text/Paths.h"
#include "text/TextIds.h"
#include "text/Utf8.h"

int LoadDatabaseFile(const std::string& path, cDatabase& db) {
    std::vector<uint8_t> bytes;
    if (CheckDatabaseFile(path, bytes) != 0)
        return 1;
    db.path.assign(path.c_str());
    int result = db.load(std::move(bytes));
    if (result != 0) {
        ShowTableMessage(TextCaptionError, LoadFailureText(result), MessageOk);
        return 1;
    }
    return 0;
}

// File names on Linux are UTF-8 by convention, while a database name is Windows-1252 text.
std::string DatabaseNameFromPath(const std::string& path) {
    return FileBaseName(WideToAnsi(Utf8ToUtf16(path))).substr(0, kPdbMaxNameLength);
}

int SaveDatabaseAs(cDatabase& db, const std::string& path) {
    db.path.assign(path.c_str());
    if (db.name.isEmpty())
        db.name.assign(DatabaseNameFromPath(path).c_str());
    if (db.save() != 0) {
        ShowTableMessage(TextCaptionError, SaveFailureText(db), MessageOk);
        return 1;
    }
    return 0;
}
