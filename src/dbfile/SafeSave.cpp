#include "dbfile/SafeSave.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

int cFileSystem::createTemporary(const std::string& directory, std::string& path) {
    std::string pattern = directory + "/.vesk-save-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    int fd = ::mkstemp(buffer.data());
    if (fd >= 0)
        path = buffer.data();
    return fd;
}

bool cFileSystem::write(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t written = ::write(fd, p, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        p += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool cFileSystem::sync(int fd) { return ::fsync(fd) == 0; }

bool cFileSystem::close(int fd) { return ::close(fd) == 0; }

bool cFileSystem::rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void cFileSystem::remove(const std::string& path) { ::unlink(path.c_str()); }

void cFileSystem::syncDirectory(const std::string& directory) {
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

namespace {

cFileSystem RealFileSystem;
cFileSystem* InstalledFileSystem = nullptr;

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode a new file gets: the previous file's, or what the umask allows.
mode_t ModeFor(const std::string& target) {
    struct stat info;
    if (::stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

void InstallFileSystem(cFileSystem* fileSystem) { InstalledFileSystem = fileSystem; }

cFileSystem& CurrentFileSystem() {
    return InstalledFileSystem ? *InstalledFileSystem : RealFileSystem;
}

std::string ResolveSaveTarget(const std::string& path) {
    std::string target = path;
    // Bounded like the kernel's own limit on nested links, so a loop cannot hang us.
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info;
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        std::vector<char> link(PATH_MAX + 1);
        ssize_t length = ::readlink(target.c_str(), link.data(), PATH_MAX);
        if (length <= 0)
            return target;
        std::string next(link.data(), static_cast<size_t>(length));
        target = next[0] == '/' ? next : DirectoryOf(target) + "/" + next;
    }
    return std::string();
}

int SafeSaveFile(const std::string& path, const void* data, size_t size,
                 const sSaveOptions& options) {
    const sByteSpan whole{data, size};
    return SafeSaveFile(path, &whole, 1, options);
}

int SafeSaveFile(const std::string& path, const sByteSpan* parts, size_t partCount,
                 const sSaveOptions& options) {
    cFileSystem& fs = CurrentFileSystem();
    // A private file's path is taken as it stands: the rename below replaces a link planted
    // there after this check rather than writing through it.
    const std::string target = options.privateFile ? path : ResolveSaveTarget(path);
    if (target.empty())
        return SaveFailed;
    struct stat existing;
    const bool exists = ::lstat(target.c_str(), &existing) == 0;
    // Renaming over a device, a pipe or a link would replace it with a plain file.
    if (exists && !S_ISREG(existing.st_mode))
        return SaveTargetRefused;
    const std::string directory = DirectoryOf(target);
    // A file the user may not write stays as it is, even though the rename could replace it.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return SaveFailed;

    std::string temporary;
    int fd = fs.createTemporary(directory, temporary);
    if (fd < 0)
        return SaveFailed;
    ::fchmod(fd, options.privateFile ? 0600 : ModeFor(target));

    bool written = true;
    for (size_t i = 0; i < partCount && written; ++i)
        written = fs.write(fd, parts[i].data, parts[i].size);
    written = written && fs.sync(fd);
    bool closed = fs.close(fd);
    if (!written || !closed || !fs.rename(temporary, target)) {
        fs.remove(temporary);
        return SaveFailed;
    }
    fs.syncDirectory(directory);
    return SaveWritten;
}
