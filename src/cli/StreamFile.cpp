#include "cli/StreamFile.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "dbfile/FileFailure.h"

namespace {

const char StreamArgument[] = "-";

std::string MakeTemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    return ::mkdtemp(buffer.data()) != nullptr ? buffer.data() : std::string();
}

// Copies until from ends; false when reading or writing failed. (Inserting a stream buffer
// would report an empty input as a failure.)
bool CopyStream(std::istream& from, std::ostream& to) {
    char buffer[1 << 16];
    while (to && from) {
        from.read(buffer, sizeof buffer);
        to.write(buffer, from.gcount());
    }
    return !from.bad() && from.eof() && to.flush();
}

} // namespace

cStreamFile::cStreamFile(const std::string& argument, eDirection direction) : path_(argument) {
    if (argument != StreamArgument)
        return;
    folder_ = MakeTemporaryFolder();
    if (folder_.empty()) {
        RecordFileError(StreamArgument, errno);
        ready_ = false;
        return;
    }
    path_ = folder_ + (direction == Input ? "/stdin" : "/stdout");
    if (direction == Output)
        return;
    std::ofstream copy(path_, std::ios::binary);
    if (!CopyStream(std::cin, copy) || !(copy.close(), copy)) {
        RecordFileFailure(StreamArgument, "cannot read standard input");
        ready_ = false;
    }
}

cStreamFile::~cStreamFile() {
    std::error_code ignored;
    if (!folder_.empty())
        std::filesystem::remove_all(folder_, ignored);
}

int cStreamFile::deliver(std::ostream& out) const {
    if (folder_.empty())
        return 0;
    std::ifstream written(path_, std::ios::binary);
    if (!written || !CopyStream(written, out)) {
        RecordFileFailure(StreamArgument, "cannot write standard output");
        return 1;
    }
    return 0;
}

void cStreamFile::nameFailure() const {
    const sFileFailure& failure = LastFileFailure();
    if (!folder_.empty() && !failure.reason.empty() && failure.path == path_)
        RecordFileFailure(StreamArgument, failure.reason);
}
