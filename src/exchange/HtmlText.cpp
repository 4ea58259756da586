#include "exchange/HtmlText.h"

#include <cstdint>

namespace {

bool StartsWithName(std::u16string_view tag, std::u16string_view name) {
    if (tag.size() < name.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t c = tag[i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != name[i])
            return false;
    }
    return tag.size() == name.size() || tag[name.size()] == u' ' || tag[name.size()] == u'/' ||
           tag[name.size()] == u'>';
}

void AppendCodePoint(std::u16string& out, uint32_t code) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        out += u'\xFFFD';
    } else if (code >= 0x10000) {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (code >> 10));
        out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
        out += static_cast<char16_t>(code);
    }
}

// The entity at text[0] ('&'); its length in length, 0 when it is not one.
bool Entity(std::u16string_view text, std::u16string& out, size_t& length) {
    const size_t semicolon = text.find(u';');
    if (semicolon == std::u16string_view::npos || semicolon > 10)
        return false;
    const std::u16string_view name = text.substr(1, semicolon - 1);
    length = semicolon + 1;
    static const struct {
        std::u16string_view name;
        char16_t unit;
    } Named[] = {{u"amp", u'&'},  {u"lt", u'<'},    {u"gt", u'>'},
                 {u"quot", u'"'}, {u"apos", u'\''}, {u"nbsp", u'\xA0'}};
    for (const auto& entry : Named)
        if (name == entry.name) {
            out += entry.unit;
            return true;
        }
    if (name.size() < 2 || name[0] != u'#')
        return false;
    const bool hex = name[1] == u'x' || name[1] == u'X';
    uint32_t code = 0;
    size_t digits = 0;
    for (char16_t c : name.substr(hex ? 2 : 1)) {
        uint32_t digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return false;
        code = code * (hex ? 16 : 10) + digit;
        ++digits;
    }
    if (digits == 0)
        return false;
    AppendCodePoint(out, code);
    return true;
}

} // namespace

std::u16string HtmlToText(std::u16string_view html) {
    std::u16string out;
    out.reserve(html.size());
    for (size_t i = 0; i < html.size();) {
        const char16_t c = html[i];
        if (c == u'<') {
            const size_t close = html.find(u'>', i);
            if (close == std::u16string_view::npos) {
                out.append(html.substr(i));
                break;
            }
            const std::u16string_view tag = html.substr(i + 1, close - i - 1);
            if (StartsWithName(tag, u"br") || StartsWithName(tag, u"/div") ||
                StartsWithName(tag, u"/p"))
                out += u'\n';
            i = close + 1;
            continue;
        }
        size_t length = 0;
        if (c == u'&' && Entity(html.substr(i), out, length)) {
            i += length;
            continue;
        }
        out += c;
        ++i;
    }
    while (!out.empty() && out.back() == u'\n')
        out.pop_back();
    return out;
}
