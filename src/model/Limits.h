#pragma once
// Limits of the data model. The file format stores the record count (terms + 3) in 16 bits
// and the attribute and category records in at most 65,535 bytes, which is where these
// numbers come from. The texts that report them are in text/TextIds.h.

#include <cstdint>

constexpr uint32_t MaxTermCount = 0xFFFC;
constexpr uint32_t MaxAttributeCount = 128;
constexpr uint32_t AttributeRecordBytesPerEntry = 258;
constexpr uint32_t CategoryRecordBytesPerEntry = 268;
constexpr uint32_t MaxRecordBytes = 65535;
constexpr uint32_t MaxCategoriesInGroupZero = 128;
// The longest text the editor's boxes take as typed: a value, a name, a search text. A longer
// value from a file still opens in full.
constexpr uint32_t MaxValueTextLength = 255;
constexpr uint16_t CategoryGroupCount = 8;
