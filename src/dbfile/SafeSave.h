#pragma once
// Every file the program writes (database, backup, settings, exports) goes through here, so
// that a failing disk or a crash never leaves a half-written file in place of the user's:
// the bytes go to a temporary file beside the target, which is flushed to disk and then
// renamed over the target. A symbolic link is written through to its target and stays.

#include <cstddef>
#include <string>

// The system calls the safe save makes. Tests install their own to make a step fail.
class cFileSystem {
public:
    virtual ~cFileSystem() = default;
    // Creates a new, empty file in directory; returns its descriptor (or -1) and its path.
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

// Replaces the file at path with the bytes; 0 on success, 1 on failure, in which case the
// previous file is unchanged and no temporary file is left.
int SafeSaveFile(const std::string& path, const void* data, size_t size);

// The same for a file whose bytes lie in several buffers, written one after the other.
struct sByteSpan {
    const void* data;
    size_t size;
};
int SafeSaveFile(const std::string& path, const sByteSpan* parts, size_t partCount);
