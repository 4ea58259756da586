#pragma once
// The Unicode 3.1 block list. Record 0 of a database file names, by their position in this
// list, the blocks that the database's Unicode values use; the handheld loads fonts by it.

#include <cstddef>
#include <cstdint>

struct sUnicodeBlock {
    uint32_t first;
    uint32_t last;
};

constexpr size_t kUnicodeBlockCount = 99;
// Index recorded for a code unit that lies in no block.
constexpr uint8_t kNoUnicodeBlock = 255;

extern const sUnicodeBlock UnicodeBlocks[kUnicodeBlockCount];

// Index of the first block holding the UTF-16 unit, or kNoUnicodeBlock.
uint8_t UnicodeBlockOf(char16_t unit);
// The same for every unit at once: entry u is UnicodeBlockOf(u), for all 65,536 units.
const uint8_t* UnicodeBlockTable();
