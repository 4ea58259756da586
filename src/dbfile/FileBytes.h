#pragma once
// Files are read whole into memory and parsed from there with bounds checks. A failed read
// records its reason (FileFailure.h).

#include <cstdint>
#include <string>
#include <vector>

enum class eFileRead {
    Read,
    Missing,    // the path names nothing
    NotAFile,   // a directory, a device, a FIFO or a socket: never opened for reading
    Unreadable, // no permission, an I/O error, or larger than a 32-bit offset reaches
};

eFileRead ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
// The first count bytes of the file (all of it when shorter), for checking a header before
// the whole file is read.
eFileRead ReadFileHead(const std::string& path, size_t count, std::vector<uint8_t>& bytes);

// False when ReadWholeFile did not read the file.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);
