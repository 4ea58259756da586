#pragma once
// Every file the program writes (database, backup, settings, exports) goes through here, so
// that a failing disk or a crash never leaves a half-written file in place of the user's:
// the bytes go to a temporary file beside the target, which is flushed to disk and then
// renamed over the target. A symbolic link is written through to its target and stays,
// unless the caller asks for a private file. The new file keeps the previous one's owner,
// group and permissions (without the set-id bits). Every failure records its reason
// (FileFailure.h).

#include <cstddef>
#include <string>

// The system calls the safe save makes. Tests install their own to make a step fail.
class cFileSystem {
public:
    virtual ~cFileSystem() = default;
    // Creates a new, empty file in directory, named with this process's id
    // (SaveTemporaries.h); returns its descriptor (or -1) and its path.
    virtual int createTemporary(const std::string& directory, std::string& path);
    // Writes all of data; false on any failure.
    virtual bool write(int fd, const void* data, size_t size);
    virtual bool sync(int fd);
    virtual bool close(int fd);
    virtual bool rename(const std::string& from, const std::string& to);
    virtual void remove(const std::string& path);
    virtual void syncDirectory(const std::string& directory);
};

// nullptr restores the real file system. The object is not owned.
void InstallFileSystem(cFileSystem* fileSystem);
cFileSystem& CurrentFileSystem();

// The path a write to path lands on: symbolic links followed to their final target; empty
// when the links loop.
std::string ResolveSaveTarget(const std::string& path);

// Results of a safe save.
enum : int {
    SaveWritten = 0,
    // Nothing was written: a step failed, or the target is read-only (no write bit at all
    // refuses root as well).
    SaveFailed = 1,
    // Nothing was written because the target is not a regular file (a directory, a device, or
    // a symbolic link the caller refused).
    SaveTargetRefused = 2,
};

struct sSaveOptions {
    // A private file (the backup) is never written through a symbolic link, whatever the
    // link points to, and gets mode 0600 instead of the previous file's mode.
    bool privateFile = false;
};

// Replaces the file at path with the bytes; a save result. On failure the previous file is
// unchanged, no temporary file is left, and the reason is recorded for path. A save also
// removes the temporary files that killed saves left in the target's folder.
int SafeSaveFile(const std::string& path, const void* data, size_t size,
                 const sSaveOptions& options = {});

// The same for a file whose bytes lie in several buffers, written one after the other.
struct sByteSpan {
    const void* data;
    size_t size;
};
int SafeSaveFile(const std::string& path, const sByteSpan* parts, size_t partCount,
                 const sSaveOptions& options = {});
