#include "text/Utf8.h"

#include <cstddef>

namespace {

const char32_t Replacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf16(std::u16string& out, char32_t point) {
    if (point < 0x10000) {
        out.push_back(static_cast<char16_t>(point));
    } else {
        point -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
    }
}

// The range the second byte of a sequence must lie in; narrower than 80-BF after the lead
// bytes that would otherwise allow overlong forms, surrogates or values past U+10FFFF.
void SecondByteRange(unsigned char lead, unsigned char& low, unsigned char& high) {
    low = 0x80;
    high = 0xBF;
    if (lead == 0xE0)
        low = 0xA0;
    else if (lead == 0xED)
        high = 0x9F;
    else if (lead == 0xF0)
        low = 0x90;
    else if (lead == 0xF4)
        high = 0x8F;
}

} // namespace

void AppendUtf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (point >> 6)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (point >> 12)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (point >> 18)));
        out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

std::string Utf16ToUtf8(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            char32_t low = text[++i];
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, Replacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(const std::string& text) {
    return Utf8ToUtf16(text.data(), text.size());
}

std::u16string Utf8ToUtf16(const char* text, size_t size) {
    std::u16string out;
    out.reserve(size);
    size_t i = 0;
    while (i < size) {
        // A run of ASCII, most of what a text file holds, is widened in one go.
        size_t runEnd = i;
        while (runEnd < size && static_cast<unsigned char>(text[runEnd]) < 0x80)
            ++runEnd;
        if (runEnd > i) {
            const size_t at = out.size();
            out.resize(at + (runEnd - i));
            for (size_t k = i; k < runEnd; ++k)
                out[at + (k - i)] = static_cast<unsigned char>(text[k]);
            i = runEnd;
            continue;
        }
        unsigned char lead = static_cast<unsigned char>(text[i++]);
        int trailing;
        char32_t point;
        if (lead >= 0xC2 && lead <= 0xDF) {
            trailing = 1;
            point = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trailing = 2;
            point = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trailing = 3;
            point = lead & 0x07;
        } else {
            AppendUtf16(out, Replacement);
            continue;
        }
        unsigned char low, high;
        SecondByteRange(lead, low, high);
        bool complete = true;
        for (int n = 0; n < trailing; ++n) {
            unsigned char byte = i < size ? static_cast<unsigned char>(text[i]) : 0;
            if (i >= size || byte < low || byte > high) {
                complete = false; // the offending byte is read again as a new start
                break;
            }
            point = (point << 6) | (byte & 0x3F);
            ++i;
            low = 0x80;
            high = 0xBF;
        }
        AppendUtf16(out, complete ? point : Replacement);
    }
    return out;
}

std::string Utf8Prefix(const std::string& text, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && chars++ == maxChars)
            return text.substr(0, i);
    }
    return text;
}
