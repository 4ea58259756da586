#include "dbfile/FileIdentity.h"

#include <sys/stat.h>

bool operator==(const sFileIdentity& a, const sFileIdentity& b) {
    if (!a.exists || !b.exists)
        return a.exists == b.exists;
    return a.device == b.device && a.inode == b.inode && a.size == b.size &&
           a.modifiedSeconds == b.modifiedSeconds && a.modifiedNanoseconds == b.modifiedNanoseconds;
}

sFileIdentity FileIdentityOf(const std::string& path) {
    sFileIdentity identity;
    struct stat info;
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return identity;
    identity.exists = true;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    identity.size = info.st_size;
    identity.modifiedSeconds = info.st_mtim.tv_sec;
    identity.modifiedNanoseconds = info.st_mtim.tv_nsec;
    return identity;
}
