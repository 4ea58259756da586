#include "text/CodePage.h"

#include <cstddef>

namespace {

const char DefaultChar = '?';

// Bytes 0x80 to 0x9F; every other byte is its own code point. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value,
// so that any byte string survives a round trip through UTF-16.
const char16_t HighControlBlock[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Converts units [0, length) and calls `put` once per output byte; returns nothing, so the
// C form and the string form share the one walk, including the surrogate rule.
template <typename Put> void EncodeUnits(const char16_t* units, size_t length, Put put) {
    for (size_t i = 0; i < length; ++i) {
        char16_t unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < length && IsLowSurrogate(units[i + 1]))
            ++i; // the pair is one character outside the code page
        unsigned char byte;
        if (!WideCharToAnsi(unit, byte))
            byte = DefaultChar;
        put(byte);
    }
}

size_t WideLength(const char16_t* text) {
    size_t length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}

} // namespace

char16_t AnsiCharToWide(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return HighControlBlock[byte - 0x80];
    return byte;
}

bool WideCharToAnsi(char16_t unit, unsigned char& byte) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        byte = static_cast<unsigned char>(unit);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (HighControlBlock[i] == unit) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

int AnsiToWide(char16_t* destination, int capacity, const char* source) {
    if (destination == nullptr || capacity <= 0)
        return 0;
    destination[0] = 0;
    if (source == nullptr)
        return 0;
    int written = 0;
    for (const char* p = source; *p != 0; ++p) {
        if (written + 1 >= capacity) { // keep room for the terminator
            destination[0] = 0;
            return 0;
        }
        destination[written++] = AnsiCharToWide(static_cast<unsigned char>(*p));
    }
    destination[written++] = 0;
    return written;
}

int WideToAnsi(char* destination, int capacity, const char16_t* source) {
    if (destination == nullptr || capacity <= 0)
        return 0;
    destination[0] = 0;
    if (source == nullptr)
        return 0;
    int written = 0;
    bool overflow = false;
    EncodeUnits(source, WideLength(source), [&](unsigned char byte) {
        if (overflow || written + 1 >= capacity) {
            overflow = true;
            return;
        }
        destination[written++] = static_cast<char>(byte);
    });
    if (overflow) {
        destination[0] = 0;
        return 0;
    }
    destination[written++] = 0;
    return written;
}

std::u16string AnsiToWide(const std::string& text) {
    std::u16string result;
    result.reserve(text.size());
    for (char c : text)
        result.push_back(AnsiCharToWide(static_cast<unsigned char>(c)));
    return result;
}

std::string WideToAnsi(const std::u16string& text) {
    std::string result;
    result.reserve(text.size());
    EncodeUnits(text.data(), text.size(),
                [&](unsigned char byte) { result.push_back(static_cast<char>(byte)); });
    return result;
}

size_t AsciiFromUnicode(const char16_t* units, size_t length, std::string& out) {
    out.clear();
    size_t replaced = 0;
    for (size_t i = 0; i < length; ++i) {
        const char16_t unit = units[i];
        unsigned char byte = static_cast<unsigned char>(unit);
        if (unit >= 0x100 && !WideCharToAnsi(unit, byte)) {
            if (IsHighSurrogate(unit) && i + 1 < length && IsLowSurrogate(units[i + 1]))
                ++i;
            byte = DefaultChar;
            ++replaced;
        }
        out.push_back(static_cast<char>(byte));
    }
    return replaced;
}
