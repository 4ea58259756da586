#include "dbfile/FileFailure.h"

#include <cstring>
#include <sys/stat.h>

namespace {

sFileFailure& Last() {
    static sFileFailure failure;
    return failure;
}

} // namespace

void RecordFileFailure(const std::string& path, const std::string& reason) {
    Last() = sFileFailure{path, reason};
}

void RecordFileError(const std::string& path, int error) {
    RecordFileFailure(path, std::strerror(error));
}

const sFileFailure& LastFileFailure() {
    return Last();
}

void ClearFileFailure() {
    Last() = sFileFailure{};
}

std::string DescribeNonRegularFile(mode_t mode) {
    if (S_ISDIR(mode))
        return "is a directory";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "is a device";
    if (S_ISFIFO(mode))
        return "is a FIFO";
    if (S_ISSOCK(mode))
        return "is a socket";
    if (S_ISLNK(mode))
        return "is a symbolic link";
    return "not a regular file";
}
