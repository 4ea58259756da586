#pragma once
// What tells the file the editor read or wrote from one another program has changed or put
// in its place since: device, inode, size and modification time. A safe save gives the file
// a new inode, so the editor takes the identity again after each of its own saves.

#include <cstdint>
#include <string>

struct sFileIdentity {
    bool exists = false;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
};

bool operator==(const sFileIdentity& a, const sFileIdentity& b);
inline bool operator!=(const sFileIdentity& a, const sFileIdentity& b) {
    return !(a == b);
}

// The identity of the file at path, symbolic links followed; one that does not exist (or
// cannot be examined) when there is no such file.
sFileIdentity FileIdentityOf(const std::string& path);
