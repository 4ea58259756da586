#pragma once
// After a crash: an editor that ended without saving left its work in its backup, and its
// record (BackupRecord.h) says whose work it is. The next editor to take that slot looks
// there before anything could overwrite it, and offers the work back.

#include <ctime>
#include <string>

#include "model/Database.h"

class cDocument;
class cDocumentBackup;

enum class eLeftWork {
    Nothing,    // no record of unsaved work, or no slot to look in
    Unsaved,    // a backup of unsaved work, loaded
    Unreadable, // a record of unsaved work whose backup is missing or does not load
};

struct sLeftWork {
    eLeftWork state = eLeftWork::Nothing;
    // The file the work belongs to; empty for an unnamed database.
    std::string path;
    // The backup's database when the state is Unsaved.
    cDatabase contents;
};

// Takes the document's backup slot and looks at what its backup holds. The backup is loaded
// without a message; an unreadable one has its record removed, so that it is found once.
void FindLeftWork(cDocument& document, sLeftWork& found);
// The work becomes the document as the file it belongs to, modified, so that Save writes it
// there.
void RestoreLeftWork(cDocument& document, sLeftWork& found);
// Keeps the backup beside it as "backup-YYYYMMDD-HHMMSS.PDB" (now in local time; "-2", "-3"
// and on added when that name is taken) and removes its record. The new path, or an empty
// string when the backup could not be renamed (its record is removed all the same).
std::string SetLeftWorkAside(cDocumentBackup& backup, std::time_t now);
