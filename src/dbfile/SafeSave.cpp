#include "dbfile/SafeSave.h"

#include "dbfile/FileFailure.h"
#include "dbfile/SaveTemporaries.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

int cFileSystem::createTemporary(const std::string& directory, std::string& path) {
    std::string pattern = TemporaryPattern(directory);
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

bool cFileSystem::sync(int fd) {
    return ::fsync(fd) == 0;
}

bool cFileSystem::close(int fd) {
    return ::close(fd) == 0;
}

bool cFileSystem::rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void cFileSystem::remove(const std::string& path) {
    ::unlink(path.c_str());
}

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

// The mode a new file gets: what the umask allows.
mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The new file takes the place of the previous one, so it takes its owner, group and
// permissions as well; the set-id bits are dropped, since they would otherwise carry over
// to contents their owner never saw. Owner and group go first because changing them may
// clear mode bits. What the saving user may not set (giving the file away, a group they are
// not in) stays theirs.
void TakeOverIdentity(int fd, const struct stat* previous, bool privateFile) {
    if (privateFile) {
        ::fchmod(fd, 0600);
        return;
    }
    if (!previous) {
        ::fchmod(fd, NewFileMode());
        return;
    }
    if (::fchown(fd, previous->st_uid, previous->st_gid) != 0)
        static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), previous->st_gid));
    ::fchmod(fd, previous->st_mode & 01777);
}

// Records why the save of path failed: the errno text of the failing step, or what the step
// was when it failed without saying why.
int Fail(const std::string& path, int result, int error, const char* step) {
    RecordFileFailure(path, error != 0 ? std::strerror(error) : step);
    return result;
}

} // namespace

void InstallFileSystem(cFileSystem* fileSystem) {
    InstalledFileSystem = fileSystem;
}

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
        return Fail(path, SaveFailed, ELOOP, "");
    struct stat existing;
    const bool exists = ::lstat(target.c_str(), &existing) == 0;
    // Renaming over a device, a pipe or a link would replace it with a plain file.
    if (exists && !S_ISREG(existing.st_mode)) {
        RecordFileFailure(path, DescribeNonRegularFile(existing.st_mode));
        return SaveTargetRefused;
    }
    // A file the user may not write stays as it is, even though the rename could replace it;
    // one that nobody may write was made read-only on purpose, which binds root as well.
    if (exists && (existing.st_mode & 0222) == 0)
        return Fail(path, SaveFailed, EACCES, "");
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return Fail(path, SaveFailed, errno, "not writable");
    const std::string directory = DirectoryOf(target);
    RemoveAbandonedTemporaries(directory);

    std::string temporary;
    errno = 0;
    int fd = fs.createTemporary(directory, temporary);
    if (fd < 0)
        return Fail(path, SaveFailed, errno, "could not create a temporary file");
    TakeOverIdentity(fd, exists ? &existing : nullptr, options.privateFile);

    errno = 0;
    const char* failedStep = nullptr;
    for (size_t i = 0; i < partCount && !failedStep; ++i)
        if (!fs.write(fd, parts[i].data, parts[i].size))
            failedStep = "could not write";
    if (!failedStep && !fs.sync(fd))
        failedStep = "could not flush to disk";
    int error = failedStep ? errno : 0;
    if (!fs.close(fd) && !failedStep) {
        failedStep = "could not close";
        error = errno;
    }
    if (!failedStep) {
        errno = 0;
        if (!fs.rename(temporary, target)) {
            failedStep = "could not replace the file";
            error = errno;
        }
    }
    if (failedStep) {
        fs.remove(temporary);
        return Fail(path, SaveFailed, error, failedStep);
    }
    fs.syncDirectory(directory);
    return SaveWritten;
}
