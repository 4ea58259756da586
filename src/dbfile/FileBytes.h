#pragma once
// Files are read whole into memory and parsed from there with bounds checks.

#include <cstdint>
#include <string>
#include <vector>

// False when the file cannot be opened or read, or is larger than a 32-bit offset reaches.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);

// The first count bytes of the file (all of it when shorter), for checking a header before
// the whole file is read; false as ReadFileBytes.
bool ReadFileHead(const std::string& path, size_t count, std::vector<uint8_t>& bytes);
