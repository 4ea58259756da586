#include "text/Paths.h"

#include <cstring>

namespace {

// Start of the file name within the path, the character after the last separator.
const char* NameStart(const char* path) {
    const char* separator = std::strrchr(path, PathSeparator);
    return separator != nullptr ? separator + 1 : path;
}

} // namespace

bool StripFileName(char* path) {
    char* separator = std::strrchr(path, PathSeparator);
    if (separator == nullptr || separator == path)
        return false;
    *separator = 0;
    return true;
}

bool StripFileName(std::string& path) {
    size_t separator = path.rfind(PathSeparator);
    if (separator == std::string::npos || separator == 0)
        return false;
    path.erase(separator);
    return true;
}

void FileBaseName(char* destination, const char* path) {
    const char* name = NameStart(path);
    size_t length = 0;
    while (length < FileBaseNameMaxChars && name[length] != 0 && name[length] != '.') {
        destination[length] = name[length];
        ++length;
    }
    destination[length] = 0;
}

std::string FileBaseName(const std::string& path) {
    char name[FileBaseNameMaxChars + 1];
    FileBaseName(name, path.c_str());
    return name;
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (directory.empty() || directory.back() == PathSeparator)
        return directory + name;
    return directory + PathSeparator + name;
}
