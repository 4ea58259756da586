#include "dbfile/PrivateFolder.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

int MakePrivateFolder(const std::string& path) {
    if (path.empty())
        return FolderMissing;
    // Each missing component from the top down, as mkdir -p does; one that exists already
    // (or appears meanwhile) is fine.
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return FolderMissing;
        if (slash == std::string::npos)
            break;
    }
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return FolderMissing;
    if (info.st_uid != ::geteuid() || (info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return FolderShared;
    return FolderPrivate;
}
