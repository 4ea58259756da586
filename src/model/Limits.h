#pragma once
// Limits of the data model and the string-table texts that report them. The file format
// stores the record count (terms + 3) in 16 bits and the attribute and category records
// in at most 65,535 bytes, which is where these numbers come from.

#include <cstdint>

constexpr uint32_t MaxTermCount = 0xFFFC;
constexpr uint32_t MaxAttributeCount = 128;
constexpr uint32_t AttributeRecordBytesPerEntry = 258;
constexpr uint32_t CategoryRecordBytesPerEntry = 268;
constexpr uint32_t MaxRecordBytes = 65535;
constexpr uint32_t MaxCategoriesInGroupZero = 128;
constexpr uint32_t MaxValueTextLength = 255;
constexpr uint16_t CategoryGroupCount = 8;

// String-table numbers used by the model.
constexpr int TextCaptionError = 58;
constexpr int TextTermLimit = 63;
constexpr int TextCategoryGroupLimit = 64;
constexpr int TextAttributeLimit = 66;
constexpr int TextCategoryLimit = 68;
constexpr int TextOutOfMemory = 204;
