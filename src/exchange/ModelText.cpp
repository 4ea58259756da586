#include "exchange/ModelText.h"

#include "model/Value.h"
#include "text/CodePage.h"

void AsciiValueText(std::u16string_view text, std::string& out, size_t& replaced) {
    // Plain 7-bit text without a backslash or line break is its own escaped form.
    out.resize(text.size());
    size_t i = 0;
    for (; i < text.size() && text[i] < 0x80 && text[i] != u'\\' && text[i] != u'\n'; ++i)
        out[i] = static_cast<char>(text[i]);
    replaced = 0;
    if (i == text.size())
        return;
    std::string bytes;
    replaced = AsciiFromUnicode(text.data(), text.size(), bytes);
    out = cAsciiValue::escape(bytes.data(), bytes.size());
}

std::string NameText(std::u16string_view text) {
    std::string bytes;
    AsciiFromUnicode(text.data(), text.size(), bytes);
    return bytes;
}

std::u16string ValueCharacters(const cValue& value) {
    if (value.mediaType() == MediaTypeUnicode) {
        const auto& unicode = static_cast<const cUnicodeValue&>(value);
        return unicode.text() ? std::u16string(unicode.text(), unicode.length()) : std::u16string();
    }
    return AnsiToWide(
        cAsciiValue::unescape(static_cast<const cAsciiValue&>(value).text.textOrEmpty()));
}

std::u16string_view TrimSpaces(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ')
        text.remove_suffix(1);
    return text;
}
