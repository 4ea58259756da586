#pragma once
// A file system whose writes fail after a given number of bytes, or whose flush or rename
// fails, installed for the lifetime of the object.

#include <algorithm>
#include <cstddef>
#include <limits>

#include "dbfile/SafeSave.h"

class cFailingFileSystem : public cFileSystem {
public:
    size_t bytesBeforeFailure = std::numeric_limits<size_t>::max();
    bool failSync = false;
    bool failRename = false;
    size_t bytesWritten = 0;

    cFailingFileSystem() { InstallFileSystem(this); }
    ~cFailingFileSystem() override { InstallFileSystem(nullptr); }

    bool write(int fd, const void* data, size_t size) override {
        size_t allowed =
            std::min(size, bytesBeforeFailure - std::min(bytesBeforeFailure, bytesWritten));
        if (allowed > 0 && !cFileSystem::write(fd, data, allowed))
            return false;
        bytesWritten += allowed;
        return allowed == size;
    }
    bool sync(int fd) override { return !failSync && cFileSystem::sync(fd); }
    bool rename(const std::string& from, const std::string& to) override {
        return !failRename && cFileSystem::rename(from, to);
    }
};
