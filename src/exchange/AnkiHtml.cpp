#include "exchange/AnkiHtml.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "exchange/Sha1.h"
#include "text/Utf8.h"

namespace {

struct sNamedReference {
    const char* name;
    char32_t character;
};

// The references of HTML 4 that Anki's editor and the programs that feed it write; any
// other stays as written.
const sNamedReference kNamedReferences[] = {
    {"amp", '&'},       {"lt", '<'},        {"gt", '>'},        {"quot", '"'},
    {"apos", '\''},     {"nbsp", 0xA0},     {"iexcl", 0xA1},    {"cent", 0xA2},
    {"pound", 0xA3},    {"curren", 0xA4},   {"yen", 0xA5},      {"brvbar", 0xA6},
    {"sect", 0xA7},     {"uml", 0xA8},      {"copy", 0xA9},     {"ordf", 0xAA},
    {"laquo", 0xAB},    {"not", 0xAC},      {"shy", 0xAD},      {"reg", 0xAE},
    {"macr", 0xAF},     {"deg", 0xB0},      {"plusmn", 0xB1},   {"sup2", 0xB2},
    {"sup3", 0xB3},     {"acute", 0xB4},    {"micro", 0xB5},    {"para", 0xB6},
    {"middot", 0xB7},   {"cedil", 0xB8},    {"sup1", 0xB9},     {"ordm", 0xBA},
    {"raquo", 0xBB},    {"frac14", 0xBC},   {"frac12", 0xBD},   {"frac34", 0xBE},
    {"iquest", 0xBF},   {"Agrave", 0xC0},   {"Aacute", 0xC1},   {"Acirc", 0xC2},
    {"Atilde", 0xC3},   {"Auml", 0xC4},     {"Aring", 0xC5},    {"AElig", 0xC6},
    {"Ccedil", 0xC7},   {"Egrave", 0xC8},   {"Eacute", 0xC9},   {"Ecirc", 0xCA},
    {"Euml", 0xCB},     {"Igrave", 0xCC},   {"Iacute", 0xCD},   {"Icirc", 0xCE},
    {"Iuml", 0xCF},     {"ETH", 0xD0},      {"Ntilde", 0xD1},   {"Ograve", 0xD2},
    {"Oacute", 0xD3},   {"Ocirc", 0xD4},    {"Otilde", 0xD5},   {"Ouml", 0xD6},
    {"times", 0xD7},    {"Oslash", 0xD8},   {"Ugrave", 0xD9},   {"Uacute", 0xDA},
    {"Ucirc", 0xDB},    {"Uuml", 0xDC},     {"Yacute", 0xDD},   {"THORN", 0xDE},
    {"szlig", 0xDF},    {"agrave", 0xE0},   {"aacute", 0xE1},   {"acirc", 0xE2},
    {"atilde", 0xE3},   {"auml", 0xE4},     {"aring", 0xE5},    {"aelig", 0xE6},
    {"ccedil", 0xE7},   {"egrave", 0xE8},   {"eacute", 0xE9},   {"ecirc", 0xEA},
    {"euml", 0xEB},     {"igrave", 0xEC},   {"iacute", 0xED},   {"icirc", 0xEE},
    {"iuml", 0xEF},     {"eth", 0xF0},      {"ntilde", 0xF1},   {"ograve", 0xF2},
    {"oacute", 0xF3},   {"ocirc", 0xF4},    {"otilde", 0xF5},   {"ouml", 0xF6},
    {"divide", 0xF7},   {"oslash", 0xF8},   {"ugrave", 0xF9},   {"uacute", 0xFA},
    {"ucirc", 0xFB},    {"uuml", 0xFC},     {"yacute", 0xFD},   {"thorn", 0xFE},
    {"yuml", 0xFF},     {"OElig", 0x152},   {"oelig", 0x153},   {"Scaron", 0x160},
    {"scaron", 0x161},  {"Yuml", 0x178},    {"fnof", 0x192},    {"circ", 0x2C6},
    {"tilde", 0x2DC},   {"ndash", 0x2013},  {"mdash", 0x2014},  {"lsquo", 0x2018},
    {"rsquo", 0x2019},  {"sbquo", 0x201A},  {"ldquo", 0x201C},  {"rdquo", 0x201D},
    {"bdquo", 0x201E},  {"dagger", 0x2020}, {"Dagger", 0x2021}, {"bull", 0x2022},
    {"hellip", 0x2026}, {"permil", 0x2030}, {"lsaquo", 0x2039}, {"rsaquo", 0x203A},
    {"euro", 0x20AC},   {"trade", 0x2122},  {"larr", 0x2190},   {"rarr", 0x2192},
};

// The longest name above, and the longest numeric reference worth reading.
constexpr size_t kMaxReferenceLength = 10;

// Decodes the reference that starts with the '&' at position: appends its character and
// returns the position behind the ';', or appends the '&' alone and returns position + 1.
size_t DecodeReference(const std::string& html, size_t position, std::string& out) {
    // Only as far as the longest reference: a text full of '&' stays linear.
    const size_t semicolon = html.substr(position + 1, kMaxReferenceLength + 1).find(';');
    if (semicolon == std::string::npos || semicolon == 0) {
        out.push_back('&');
        return position + 1;
    }
    const size_t end = position + 1 + semicolon;
    const std::string name = html.substr(position + 1, end - position - 1);
    char32_t character = 0;
    if (name[0] == '#') {
        const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
        const size_t digits = hex ? 2 : 1;
        uint32_t value = 0;
        bool valid = name.size() > digits;
        for (size_t i = digits; i < name.size() && valid; ++i) {
            const int c = static_cast<unsigned char>(name[i]);
            const int digit = std::isdigit(c)                ? c - '0'
                              : hex && std::isxdigit(c) != 0 ? std::tolower(c) - 'a' + 10
                                                             : -1;
            valid = digit >= 0;
            value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
        }
        // No NUL, no surrogate, nothing past Unicode: those stay as written.
        if (!valid || value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            out.push_back('&');
            return position + 1;
        }
        character = value;
    } else {
        for (const sNamedReference& reference : kNamedReferences)
            if (name == reference.name)
                character = reference.character;
        if (character == 0) {
            out.push_back('&');
            return position + 1;
        }
    }
    AppendUtf8(out, character);
    return end + 1;
}

std::string LowerName(const std::string& html, size_t start) {
    std::string name;
    for (size_t i = start; i < html.size() && std::isalnum(static_cast<unsigned char>(html[i]));
         ++i)
        name.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(html[i]))));
    return name;
}

bool IsBlock(const std::string& name) {
    return name == "div" || name == "p" || name == "li" || name == "tr" || name == "ul" ||
           name == "ol" || name == "table" || name == "h1" || name == "h2" || name == "h3";
}

bool IsMedia(const std::string& name) {
    return name == "img" || name == "audio" || name == "video";
}

void BreakLine(std::string& out) {
    if (!out.empty() && out.back() != '\n')
        out.push_back('\n');
}

void TrimLineBreaks(std::string& text) {
    const size_t first = text.find_first_not_of('\n');
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    text.erase(text.find_last_not_of('\n') + 1);
    text.erase(0, first);
}

} // namespace

std::string AnkiHtmlToText(const std::string& html, uint32_t& droppedMedia) {
    const uint32_t mediaBefore = droppedMedia;
    std::string out;
    out.reserve(html.size());
    // Once a "[sound:" has no ']' behind it, none after it has either.
    bool soundsClosed = true;
    size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<' && i + 1 < html.size()) {
            if (html.compare(i, 4, "<!--") == 0) {
                const size_t end = html.find("-->", i + 4);
                i = end == std::string::npos ? html.size() : end + 3;
                continue;
            }
            const bool closing = html[i + 1] == '/';
            const size_t nameStart = i + (closing ? 2 : 1);
            const std::string name = LowerName(html, nameStart);
            if (!name.empty() && std::isalpha(static_cast<unsigned char>(name[0]))) {
                const size_t end = html.find('>', nameStart);
                i = end == std::string::npos ? html.size() : end + 1;
                if (name == "br")
                    out.push_back('\n');
                else if (IsBlock(name))
                    BreakLine(out);
                else if (IsMedia(name) && !closing)
                    ++droppedMedia;
                if (!closing && (name == "script" || name == "style")) {
                    const size_t close = html.find("</", i);
                    // The element's text ends at its closing tag, whatever its case.
                    size_t scan = close;
                    while (scan != std::string::npos && LowerName(html, scan + 2) != name)
                        scan = html.find("</", scan + 2);
                    i = scan == std::string::npos ? html.size() : scan;
                }
                continue;
            }
        }
        if (c == '[' && soundsClosed && html.compare(i, 7, "[sound:") == 0) {
            const size_t end = html.find(']', i);
            soundsClosed = end != std::string::npos;
            if (soundsClosed) {
                ++droppedMedia;
                i = end + 1;
                continue;
            }
        }
        if (c == '&') {
            i = DecodeReference(html, i, out);
            continue;
        }
        if (c != '\r')
            out.push_back(c);
        ++i;
    }
    // A reference dropped at either end leaves the space that separated it.
    if (droppedMedia != mediaBefore) {
        out.erase(out.find_last_not_of(' ') + 1);
        out.erase(0, std::min(out.size(), out.find_first_not_of(' ')));
    }
    TrimLineBreaks(out);
    return out;
}

std::string AnkiTextToHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "<br>";
            break;
        case '\n':
            out += "<br>";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

std::string AnkiStripHtml(const std::string& html) {
    std::string out;
    out.reserve(html.size());
    size_t i = 0;
    while (i < html.size()) {
        if (html[i] == '<') {
            const size_t end = html.find('>', i);
            if (end != std::string::npos) {
                i = end + 1;
                continue;
            }
        }
        if (html[i] == '&') {
            i = DecodeReference(html, i, out);
            continue;
        }
        out.push_back(html[i++]);
    }
    // U+00A0 as a space, as Anki stores it.
    std::string spaced;
    spaced.reserve(out.size());
    for (size_t j = 0; j < out.size(); ++j) {
        if (out.compare(j, 2, "\xC2\xA0") == 0) {
            spaced.push_back(' ');
            ++j;
        } else {
            spaced.push_back(out[j]);
        }
    }
    return spaced;
}

uint32_t AnkiFieldChecksum(const std::string& strippedField) {
    const std::array<uint8_t, 20> digest = Sha1(strippedField);
    return uint32_t(digest[0]) << 24 | uint32_t(digest[1]) << 16 | uint32_t(digest[2]) << 8 |
           uint32_t(digest[3]);
}
