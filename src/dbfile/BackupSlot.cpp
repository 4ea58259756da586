#include "dbfile/BackupSlot.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Far more editors than anyone runs at once; the bound keeps a folder full of stale locks
// from being walked without end.
constexpr int kMaxSlots = 64;

std::string NumberedName(int number, const char* extension) {
    std::string name = "backup";
    if (number > 1)
        name += "-" + std::to_string(number);
    return name + extension;
}

} // namespace

std::string cBackupSlot::backupFileName(int number) {
    return NumberedName(number, ".PDB");
}

std::string cBackupSlot::lockFileName(int number) {
    return NumberedName(number, ".lock");
}

std::string cBackupSlot::recordFileName(int number) {
    return NumberedName(number, ".info");
}

bool cBackupSlot::acquire(const std::string& directory) {
    release();
    for (int number = 1; number <= kMaxSlots; ++number) {
        const std::string path = directory + "/" + lockFileName(number);
        // flock, not fcntl: its lock belongs to the open file, so two editors in one process
        // (as the tests run them) exclude each other too.
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            number_ = number;
            lockFd_ = fd;
            return true;
        }
        ::close(fd);
    }
    return false;
}

void cBackupSlot::release() {
    // The lock file stays: removing it could let a third editor lock a new file of the
    // same name while a second one still holds the old.
    if (lockFd_ >= 0)
        ::close(lockFd_);
    lockFd_ = -1;
    number_ = 0;
}
