#pragma once
// Cutting file paths apart. Paths use '/'.

#include <cstddef>
#include <string>

const char PathSeparator = '/';

// Longest file name FileBaseName keeps; a C destination needs one byte more.
const size_t FileBaseNameMaxChars = 32;

// Cuts the path in place at its last separator, leaving the directory without a trailing
// separator. Fails, leaving the path as it was, when it holds no separator or its only one
// is the first character: cutting there would leave nothing to name the root by.
bool StripFileName(char* path);
bool StripFileName(std::string& path);

// The file name after the last separator, up to its first dot and at most 32 characters.
// The C form terminates the destination, which needs FileBaseNameMaxChars + 1 bytes.
void FileBaseName(char* destination, const char* path);
std::string FileBaseName(const std::string& path);

// directory + "/" + name, without doubling a separator the directory already ends in.
std::string JoinPath(const std::string& directory, const std::string& name);
