#pragma once
// Each running editor writes a backup of its own, so that a second editor never replaces
// the first one's only copy of unsaved work: slot 1 is "backup.PDB", slot n "backup-n.PDB".
// An editor holds its slot by a lock on "backup.lock" or "backup-n.lock" for as long as it
// runs; the lock ends with the process, so the slot of an editor that crashed is free again,
// and the next editor to take it finds the crashed one's backup still there.

#include <string>

class cBackupSlot {
public:
    cBackupSlot() = default;
    ~cBackupSlot() { release(); }
    cBackupSlot(const cBackupSlot&) = delete;
    cBackupSlot& operator=(const cBackupSlot&) = delete;

    // Takes the first free slot in directory (releasing one held before); false when no
    // lock file there can be created and locked.
    bool acquire(const std::string& directory);
    void release();
    // The slot held, 0 when none.
    int number() const { return number_; }

    static std::string backupFileName(int number);
    static std::string lockFileName(int number);
    // What the backup holds (document/BackupRecord.h): "backup.info", "backup-n.info".
    static std::string recordFileName(int number);

private:
    int number_ = 0;
    int lockFd_ = -1;
};
