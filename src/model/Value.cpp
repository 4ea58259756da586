#include "model/Value.h"

#include "model/TextBuffer.h"
#include "model/TextStore.h"

#include <cstring>
#include <new>

namespace {

// Walks an escaped text and hands each real character to emit. unescapedLength, unescape
// and write all go through this one scan, so storedSize can never disagree with write.
template <class Emit> void ScanEscaped(const char* escaped, Emit emit) {
    if (!escaped)
        return;
    for (const char* p = escaped; *p;) {
        if (p[0] == '\\' && p[1] == 'n') {
            emit('\n');
            p += 2;
        } else if (p[0] == '\\' && p[1] == '\\') {
            emit('\\');
            p += 2;
        } else {
            emit(*p);
            ++p;
        }
    }
}

uint32_t UnitLength(const char16_t* units) {
    uint32_t length = 0;
    while (units[length] != 0)
        ++length;
    return length;
}

} // namespace

// ---- cAsciiValue

cAsciiValue::cAsciiValue(uint16_t attributeIndex, const char* escapedText)
    : cValue(MediaTypeAscii) {
    attribute = attributeIndex;
    text.assign(escapedText);
}

uint32_t cAsciiValue::unescapedLength(const char* escaped) {
    uint32_t length = 0;
    ScanEscaped(escaped, [&](char) { ++length; });
    return length;
}

std::string cAsciiValue::unescape(const char* escaped) {
    std::string raw;
    ScanEscaped(escaped, [&](char c) { raw.push_back(c); });
    return raw;
}

std::string cAsciiValue::escape(const char* raw, size_t length) {
    std::string escaped;
    escaped.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        if (raw[i] == '\n')
            escaped += "\\n";
        else if (raw[i] == '\\')
            escaped += "\\\\";
        else
            escaped.push_back(raw[i]);
    }
    return escaped;
}

// Most values hold no backslash, and then the escaped form is the file form.
uint32_t cAsciiValue::storedSize() const {
    if (!std::memchr(text.textOrEmpty(), '\\', text.length()))
        return cValue::storedSize() + text.length() + 1;
    return cValue::storedSize() + unescapedLength(text.text()) + 1;
}

void cAsciiValue::writeUnescaped(cByteWriter& stream) const {
    cValue::write(stream);
    ScanEscaped(text.text(), [&](char c) { stream.writeU8(static_cast<uint8_t>(c)); });
    stream.writeU8(0);
}

bool cAsciiValue::read(cByteReader& stream) {
    if (!cValue::read(stream))
        return false;
    const char* raw = nullptr;
    size_t length = 0;
    if (!stream.readCStringView(raw, length))
        return false;
    // raw ends in the file's NUL, so one scan finds either character. Such a text is its
    // own escaped form: when the bytes are a store's, the text stays where it is.
    if (!std::strpbrk(raw, "\\\n")) {
        if (char* kept = length > 0 ? cTextStore::take(raw) : nullptr)
            text.adopt(kept, static_cast<uint32_t>(length));
        else
            text.assign(raw, static_cast<uint32_t>(length));
        return true;
    }
    std::string escaped = escape(raw, length);
    text.assign(escaped.data(), static_cast<uint32_t>(escaped.size()));
    return true;
}

cValue* cAsciiValue::clone() const {
    return new (std::nothrow) cAsciiValue(attribute, text.text());
}

// ---- cUnicodeValue

cUnicodeValue::cUnicodeValue(uint16_t attributeIndex, const char16_t* units)
    : cValue(MediaTypeUnicode) {
    attribute = attributeIndex;
    setText(units);
}

cUnicodeValue::~cUnicodeValue() {
    replaceText(nullptr, 0);
}

void cUnicodeValue::replaceText(char16_t* units, uint32_t length) {
    if (text_)
        ReleaseText(text_, (size_t(length_) + 1) * sizeof(char16_t));
    text_ = units;
    length_ = units ? length : 0;
}

void cUnicodeValue::setText(const char16_t* units) {
    if (!units)
        return;
    setText(units, UnitLength(units));
}

void cUnicodeValue::setText(const char16_t* units, uint32_t length) {
    if (!units)
        return;
    // A fresh buffer first: units may point into the current one.
    auto* copy = static_cast<char16_t*>(AllocateText((size_t(length) + 1) * sizeof(char16_t)));
    if (copy) {
        std::memcpy(copy, units, size_t(length) * sizeof(char16_t));
        copy[length] = 0;
    }
    replaceText(copy, length);
}

uint32_t cUnicodeValue::storedSize() const {
    return cValue::storedSize() + 2 * length_ + 2 + (needsRtlMark() ? 2 : 0);
}

void cUnicodeValue::writeMarked(cByteWriter& stream) const {
    uint8_t* out = stream.room(2 * (size_t(length_) + 3));
    StoreU16BE(out, attribute);
    StoreU16BE(out + 2, RightToLeftEmbedding);
    for (uint32_t i = 0; i < length_; ++i)
        StoreU16BE(out + 4 + 2 * i, text_[i]);
    StoreU16BE(out + 4 + 2 * size_t(length_), 0);
}

bool cUnicodeValue::read(cByteReader& stream) {
    if (!cValue::read(stream))
        return false;
    size_t count = 0;
    if (!stream.peekU16StringLength(count))
        return stream.markFailed(); // no terminator before the end
    // The units go straight into the value's own buffer, the mark left out: it is added on
    // every write, so it is not part of the text.
    const uint8_t* p = stream.data() + stream.position();
    size_t skip = (count > 0 && ((p[0] << 8) | p[1]) == RightToLeftEmbedding) ? 1 : 0;
    auto* units = static_cast<char16_t*>(AllocateText((count - skip + 1) * sizeof(char16_t)));
    if (!units)
        return false;
    for (size_t i = skip; i < count; ++i)
        units[i - skip] = static_cast<char16_t>((p[2 * i] << 8) | p[2 * i + 1]);
    units[count - skip] = 0;
    replaceText(units, static_cast<uint32_t>(count - skip));
    return stream.skip(2 * (count + 1));
}

cValue* cUnicodeValue::clone() const {
    auto* copy = new (std::nothrow) cUnicodeValue;
    if (!copy)
        return nullptr;
    copy->attribute = attribute;
    if (text_)
        copy->setText(text_, length_);
    return copy;
}

bool cUnicodeValue::needsRtlMark(const char16_t* units, uint32_t length) {
    if (length == 0 || !units || units[0] == LeftToRightEmbedding)
        return false;
    for (uint32_t i = 0; i < length; ++i)
        if (mayBeRightToLeft(units[i]) && isRightToLeft(units[i]))
            return true;
    return false;
}
