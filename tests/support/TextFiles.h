#pragma once
// The bytes of small text files the exchange tests write.

#include <cstdint>
#include <string>
#include <vector>

inline std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

// A UTF-16 little-endian file with its byte-order mark.
inline std::vector<uint8_t> Utf16File(const std::u16string& text) {
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    for (char16_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}
