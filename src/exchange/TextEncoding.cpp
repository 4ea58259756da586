#include "exchange/TextEncoding.h"

#include <cstring>

namespace {

const uint8_t Utf16LeMark[] = {0xFF, 0xFE};
const uint8_t Utf16BeMark[] = {0xFE, 0xFF};
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

bool LooksLikeUtf16(const uint8_t* bytes, size_t size, bool bigEndian) {
    if (size == 0 || size % 2 != 0)
        return false;
    // At least one unit must have a NUL high byte: a text without a NUL byte, which is what
    // most files are, is settled by one fast scan.
    if (!std::memchr(bytes, 0, size))
        return false;
    const size_t high = bigEndian ? 0 : 1;
    size_t nulHighBytes = 0;
    for (size_t i = 0; i < size; i += 2) {
        if (bytes[i + 1 - high] == 0)
            return false; // a NUL low byte: a NUL unit, or not this byte order
        if (bytes[i + high] == 0)
            ++nulHighBytes;
    }
    return nulHighBytes * 2 >= size / 2;
}

cTextEncoding DetectTextEncoding(const uint8_t* bytes, size_t size) {
    cTextEncoding result;
    if (size >= sizeof Utf16LeMark && bytes[0] == Utf16LeMark[0] && bytes[1] == Utf16LeMark[1]) {
        result.encoding = eTextEncoding::Utf16;
        result.markLength = sizeof Utf16LeMark;
    } else if (size >= sizeof Utf16BeMark && bytes[0] == Utf16BeMark[0] &&
               bytes[1] == Utf16BeMark[1]) {
        result.encoding = eTextEncoding::Utf16;
        result.markLength = sizeof Utf16BeMark;
        result.bigEndian = true;
    } else if (size >= sizeof Utf8Mark && bytes[0] == Utf8Mark[0] && bytes[1] == Utf8Mark[1] &&
               bytes[2] == Utf8Mark[2]) {
        result.encoding = eTextEncoding::Utf8;
        result.markLength = sizeof Utf8Mark;
    } else if (LooksLikeUtf16(bytes, size, false) || LooksLikeUtf16(bytes, size, true)) {
        result.encoding = eTextEncoding::Utf16;
        result.bigEndian = !LooksLikeUtf16(bytes, size, false);
    } else if (IsMultiByteUtf8(bytes, size)) {
        result.encoding = eTextEncoding::Utf8;
    }
    return result;
}

std::u16string DecodeUtf16(const uint8_t* bytes, size_t size, bool bigEndian) {
    const size_t high = bigEndian ? 0 : 1;
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(bytes[2 * i + 1 - high] | (bytes[2 * i + high] << 8));
    return units;
}
