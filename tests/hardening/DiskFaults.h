#pragma once
// A disk that fails at one step of a save: a write after a given number of bytes, the
// flush (close), the fsync or the rename; once (the next save works again) or on every save
// while installed.

#include <filesystem>
#include <string>
#include <vector>

#include "dbfile/SafeSave.h"

enum class eDiskFault { Write, Flush, Sync, Rename };

struct sDiskFaultCase {
    const char* what;
    eDiskFault fault;
    size_t bytesBeforeFailure; // for eDiskFault::Write
    bool persistent;
};

class cFaultyDisk : public cFileSystem {
public:
    explicit cFaultyDisk(const sDiskFaultCase& c) : case_(c) { InstallFileSystem(this); }
    ~cFaultyDisk() override { InstallFileSystem(nullptr); }
    cFaultyDisk(const cFaultyDisk&) = delete;
    cFaultyDisk& operator=(const cFaultyDisk&) = delete;

    int createTemporary(const std::string& directory, std::string& path) override {
        written_ = 0;
        return cFileSystem::createTemporary(directory, path);
    }
    bool write(int fd, const void* data, size_t size) override {
        if (!armed(eDiskFault::Write))
            return cFileSystem::write(fd, data, size);
        size_t allowed = case_.bytesBeforeFailure > written_
                             ? std::min(size, case_.bytesBeforeFailure - written_)
                             : 0;
        if (allowed > 0 && !cFileSystem::write(fd, data, allowed))
            return false;
        written_ += allowed;
        return allowed == size || !fired();
    }
    bool close(int fd) override {
        bool closed = cFileSystem::close(fd);
        return closed && !(armed(eDiskFault::Flush) && fired());
    }
    bool sync(int fd) override {
        return !(armed(eDiskFault::Sync) && fired()) && cFileSystem::sync(fd);
    }
    bool rename(const std::string& from, const std::string& to) override {
        return !(armed(eDiskFault::Rename) && fired()) && cFileSystem::rename(from, to);
    }

    int failures() const { return failures_; }

private:
    bool armed(eDiskFault fault) const {
        return case_.fault == fault && (case_.persistent || failures_ == 0);
    }
    // Records that the fault struck; always true, so it reads as the failing result.
    bool fired() {
        ++failures_;
        return true;
    }

    sDiskFaultCase case_;
    size_t written_ = 0;
    int failures_ = 0;
};

// Every fault at the places that matter for a file of size bytes, once and persistently.
inline std::vector<sDiskFaultCase> DiskFaultCases(size_t size) {
    std::vector<sDiskFaultCase> cases;
    for (bool persistent : {false, true}) {
        for (size_t n : {size_t(0), size_t(1), size / 2, size - 1})
            cases.push_back({"write", eDiskFault::Write, n, persistent});
        cases.push_back({"flush", eDiskFault::Flush, 0, persistent});
        cases.push_back({"fsync", eDiskFault::Sync, 0, persistent});
        cases.push_back({"rename", eDiskFault::Rename, 0, persistent});
    }
    return cases;
}

inline std::string Describe(const sDiskFaultCase& c) {
    return std::string(c.what) +
           (c.fault == eDiskFault::Write ? " after " + std::to_string(c.bytesBeforeFailure)
                                         : std::string()) +
           (c.persistent ? ", persistent" : ", once");
}

// The safe save's temporary files left in directory.
inline std::vector<std::string> LeftoverTemporaries(const std::string& directory) {
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error))
        if (entry.path().filename().string().rfind(".vesk-save-", 0) == 0)
            found.push_back(entry.path().string());
    return found;
}
