#include "exchange/TextEncoding.h"

#include <cstring>

namespace {

const uint8_t Utf16LeMark[] = {0xFF, 0xFE};
const uint8_t Utf8Mark[] = {0xEF, 0xBB, 0xBF};
const uint64_t HighBits = 0x8080808080808080ull;

// Length of the well-formed sequence at bytes[i], or 0 when it is malformed.
size_t Utf8SequenceLength(const uint8_t* bytes, size_t size, size_t i) {
    uint8_t lead = bytes[i];
    size_t trailing;
    uint8_t low = 0x80, high = 0xBF; // the second byte's range, narrowed after some leads
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (size - i <= trailing)
        return 0;
    for (size_t n = 1; n <= trailing; ++n) {
        uint8_t byte = bytes[i + n];
        if (byte < low || byte > high)
            return 0;
        low = 0x80;
        high = 0xBF;
    }
    return trailing + 1;
}

} // namespace

bool IsMultiByteUtf8(const uint8_t* bytes, size_t size) {
    bool multiByte = false;
    size_t i = 0;
    while (i < size) {
        // Most text is 7-bit: step over it a word at a time.
        uint64_t word;
        while (size - i >= sizeof word) {
            std::memcpy(&word, bytes + i, sizeof word);
            if (word & HighBits)
                break;
            i += sizeof word;
        }
        if (i == size)
            break;
        if (bytes[i] < 0x80) {
            ++i;
            continue;
        }
        size_t length = Utf8SequenceLength(bytes, size, i);
        if (length == 0)
            return false;
        multiByte = true;
        i += length;
    }
    return multiByte;
}

cTextEncoding DetectTextEncoding(const uint8_t* bytes, size_t size) {
    cTextEncoding result;
    if (size >= sizeof Utf16LeMark && bytes[0] == Utf16LeMark[0] && bytes[1] == Utf16LeMark[1]) {
        result.encoding = eTextEncoding::Utf16;
        result.markLength = sizeof Utf16LeMark;
    } else if (size >= sizeof Utf8Mark && bytes[0] == Utf8Mark[0] && bytes[1] == Utf8Mark[1] &&
               bytes[2] == Utf8Mark[2]) {
        result.encoding = eTextEncoding::Utf8;
        result.markLength = sizeof Utf8Mark;
    } else if (IsMultiByteUtf8(bytes, size)) {
        result.encoding = eTextEncoding::Utf8;
    }
    return result;
}

std::u16string DecodeUtf16Le(const uint8_t* bytes, size_t size) {
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return units;
}
