#include "dbfile/FileBytes.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <sys/stat.h>

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (static_cast<uint64_t>(info.st_size) > std::numeric_limits<uint32_t>::max())
        return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file)
        return false;
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t read = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (read != bytes.size() || std::ferror(file.get()))
        return false;
    return true;
}

bool ReadFileHead(const std::string& path, size_t count, std::vector<uint8_t>& bytes) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file)
        return false;
    bytes.resize(std::min(count, static_cast<size_t>(info.st_size)));
    size_t read = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), file.get());
    bytes.resize(read);
    return !std::ferror(file.get());
}
