#include "dbfile/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "dbfile/FileFailure.h"
#include "model/PoolChunks.h"

namespace {

eFileRead Fail(const std::string& path, int error) {
    RecordFileError(path, error);
    return error == ENOENT || error == ENOTDIR ? eFileRead::Missing : eFileRead::Unreadable;
}

class cDescriptor {
public:
    explicit cDescriptor(int fd) : fd_(fd) {}
    ~cDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    cDescriptor(const cDescriptor&) = delete;
    cDescriptor& operator=(const cDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// The first limit bytes of the file, all of it when it is shorter.
eFileRead ReadStart(const std::string& path, size_t limit, std::vector<uint8_t>& bytes) {
    // Checked before opening, because opening a FIFO for reading waits for a writer; the
    // non-blocking open covers one put in the file's place in between, and the check on the
    // open descriptor is the one that counts.
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return Fail(path, errno);
    if (!S_ISREG(info.st_mode)) {
        RecordFileFailure(path, DescribeNonRegularFile(info.st_mode));
        return eFileRead::NotAFile;
    }
    cDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        return Fail(path, errno);
    if (::fstat(file.get(), &info) != 0)
        return Fail(path, errno);
    if (!S_ISREG(info.st_mode)) {
        RecordFileFailure(path, DescribeNonRegularFile(info.st_mode));
        return eFileRead::NotAFile;
    }
    const uint64_t wanted = std::min<uint64_t>(static_cast<uint64_t>(info.st_size), limit);
    if (wanted > std::numeric_limits<uint32_t>::max())
        return Fail(path, EFBIG);
    // Large pages for a buffer not yet touched: the bytes of a database file stay in memory
    // as long as its texts are in use (model/TextStore.h), and each save walks them; in small
    // pages that walk spends its time missing the address cache.
    if (bytes.capacity() < wanted) {
        bytes.reserve(static_cast<size_t>(wanted));
        AdviseLargePages(bytes.data(), bytes.capacity());
    }
    bytes.resize(static_cast<size_t>(wanted));
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t read = ::read(file.get(), bytes.data() + done, bytes.size() - done);
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return Fail(path, errno);
        if (read == 0) {
            RecordFileFailure(path, "shorter than its size says (changed while read)");
            return eFileRead::Unreadable;
        }
        done += static_cast<size_t>(read);
    }
    return eFileRead::Read;
}

} // namespace

eFileRead ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    return ReadStart(path, std::numeric_limits<size_t>::max(), bytes);
}

eFileRead ReadFileHead(const std::string& path, size_t count, std::vector<uint8_t>& bytes) {
    return ReadStart(path, count, bytes);
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    return ReadWholeFile(path, bytes) == eFileRead::Read;
}
