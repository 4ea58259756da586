#pragma once
// zstd decompression with a ceiling: the newer Anki collection is a zstd frame, and what it
// claims about its own size is not trusted.

#include <cstdint>
#include <string>

// The decompressed bytes of every frame in input; false, with reason, when the input is not
// zstd, is cut short or damaged, or would decompress to more than limit bytes (nothing is
// kept past the limit).
bool DecompressZstd(const std::string& input, uint64_t limit, std::string& out,
                    std::string& reason);
