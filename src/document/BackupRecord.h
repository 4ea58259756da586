#pragma once
// Beside each backup file lies a record of what the backup holds: the file it belongs to and
// whether it holds changes that were never saved. An editor that crashed or was killed
// leaves both behind, so that the next editor to take the slot can offer the work back.
//
// The record is a small text file, LF line ends:
//
// | line | text                                      | meaning                               |
// |------|-------------------------------------------|---------------------------------------|
// | 1    | "vesk-builder backup record"              | what the file is                      |
// | 2    | "unsaved yes" or "unsaved no"             | the backup holds unsaved changes      |
// | 3    | "path " + the path, up to the final LF    | the database's file; empty: unnamed   |
//
// The path comes last and runs to the end of the file, so that any name the file system
// allows, line breaks included, comes back as it was.

#include <string>

struct sBackupRecord {
    bool unsaved = false;
    std::string path;
};

class cBackupRecord {
public:
    // Writes record to file (a private file, written safely) unless it is what was last
    // written there; false when the write failed.
    bool write(const std::string& file, const sBackupRecord& record);
    // Removes the record file, if there is one.
    void remove(const std::string& file);

    // The record in file; false when there is none or the file is not a record.
    static bool read(const std::string& file, sBackupRecord& record);

private:
    std::string writtenFile_;
    std::string writtenText_;
};
