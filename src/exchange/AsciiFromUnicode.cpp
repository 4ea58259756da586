#include "exchange/AsciiFromUnicode.h"

#include "text/CodePage.h"

namespace {

const char Unrepresentable = '?';

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

size_t AsciiFromUnicode(const char16_t* units, size_t length, std::string& out) {
    out.clear();
    size_t replaced = 0;
    for (size_t i = 0; i < length; ++i) {
        const char16_t unit = units[i];
        unsigned char byte = static_cast<unsigned char>(unit);
        if (unit >= 0x100 && !WideCharToAnsi(unit, byte)) {
            if (IsHighSurrogate(unit) && i + 1 < length && IsLowSurrogate(units[i + 1]))
                ++i;
            byte = Unrepresentable;
            ++replaced;
        }
        out.push_back(static_cast<char>(byte));
    }
    return replaced;
}
