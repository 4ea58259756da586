#include "dbfile/SaveTemporaries.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kPrefix[] = ".vesk-save-";
constexpr size_t kPrefixLength = sizeof kPrefix - 1;
// What mkstemp puts in place of its XXXXXX.
constexpr size_t kUniqueLength = 6;
// Enough digits for any pid_t, few enough that the number cannot overflow.
constexpr size_t kMaxPidDigits = 9;

bool ProcessIsGone(pid_t pid) {
    return ::kill(pid, 0) == -1 && errno == ESRCH;
}

} // namespace

std::string TemporaryPattern(const std::string& directory) {
    return directory + "/" + kPrefix + std::to_string(::getpid()) + "-XXXXXX";
}

pid_t TemporaryFileProcess(const std::string& name) {
    if (name.compare(0, kPrefixLength, kPrefix) != 0)
        return 0;
    size_t digits = 0;
    pid_t pid = 0;
    for (size_t i = kPrefixLength; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
        if (++digits > kMaxPidDigits)
            return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    const size_t dash = kPrefixLength + digits;
    if (digits == 0 || name[kPrefixLength] == '0' || dash >= name.size() || name[dash] != '-' ||
        name.size() != dash + 1 + kUniqueLength)
        return 0;
    return pid;
}

void RemoveAbandonedTemporaries(const std::string& directory) {
    std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(directory.c_str()), ::closedir);
    if (!folder)
        return;
    const pid_t self = ::getpid();
    const uid_t user = ::geteuid();
    while (const dirent* entry = ::readdir(folder.get())) {
        const pid_t pid = TemporaryFileProcess(entry->d_name);
        if (pid == 0 || pid == self || !ProcessIsGone(pid))
            continue;
        const std::string path = directory + "/" + entry->d_name;
        struct stat info;
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == user)
            ::unlink(path.c_str());
    }
}
