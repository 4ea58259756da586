#pragma once
// The backup: every change rewrites the whole database to this editor's own backup file,
// synchronously, in a folder only the user can write. The file is the slot's
// (dbfile/BackupSlot.h) in the folder the editor names. Beside it, the record of what it
// holds (BackupRecord.h) says whose work it is and whether that work was saved since.

#include <functional>
#include <string>

#include "dbfile/BackupSlot.h"
#include "dbfile/DatabaseWrite.h"
#include "document/BackupRecord.h"

class cDatabase;

class cDocumentBackup {
public:
    // The folder is asked for at every write, so that the slot follows a folder that changed.
    void setFolder(std::function<std::string()> folder) { folder_ = std::move(folder); }

    // Writes db to the backup file and records beside it whether db holds unsaved changes
    // (an undo can lead back to the saved state): 0, or the text saying why not when that
    // is news (a failure is told once, and again only after a backup has been written since).
    int write(const cDatabase& db, bool unsaved);
    // The document holds no unsaved changes any more: the record says so no longer.
    void forgetUnsaved();
    // Forgets the unsaved changes, as an editor that ends normally does, and gives up the
    // slot and the failures told; the next backup starts afresh.
    void release();
    // Takes the slot now, before anything is written, so that what its backup holds is
    // another editor's: 0, or the text saying why not.
    int takeSlot() { return prepareSlot(folder()); }
    // The slot's number; 1 before a slot is taken.
    int slot() const { return slot_.number() != 0 ? slot_.number() : 1; }
    // The slot's backup file and its record in the folder named now.
    std::string filePath() const;
    std::string recordPath() const;

private:
    // The slot in the backup folder, created when missing; 0, or the text saying why not.
    int prepareSlot(const std::string& folder);
    // The folder named now; empty when none is.
    std::string folder() const;

    std::function<std::string()> folder_;
    cBackupSlot slot_;
    // Keeps its buffers from one backup to the next.
    cDatabaseWriter writer_;
    cBackupRecord record_;
    std::string slotFolder_; // where the slot was taken
    bool failureTold_ = false;
};
