#include "cli/JsonStream.h"

namespace {

constexpr size_t FlushBytes = 1 << 16;

} // namespace

void cJsonStream::beforeElement() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (filled_.empty())
        return;
    buffer_ += filled_.back() ? ",\n" : "\n";
    filled_.back() = true;
    buffer_.append(2 * filled_.size(), ' ');
}

void cJsonStream::open(char bracket) {
    beforeElement();
    buffer_ += bracket;
    filled_.push_back(false);
}

void cJsonStream::close(char bracket) {
    const bool filled = filled_.back();
    filled_.pop_back();
    if (filled) {
        buffer_ += '\n';
        buffer_.append(2 * filled_.size(), ' ');
    }
    buffer_ += bracket;
    if (buffer_.size() >= FlushBytes)
        flush();
}

void cJsonStream::key(std::string_view name) {
    beforeElement();
    appendString(name);
    buffer_ += ": ";
    afterKey_ = true;
}

void cJsonStream::value(uint64_t number) {
    beforeElement();
    buffer_ += std::to_string(number);
}

void cJsonStream::value(std::string_view text) {
    beforeElement();
    appendString(text);
}

void cJsonStream::appendString(std::string_view text) {
    static const char Hex[] = "0123456789abcdef";
    buffer_ += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            buffer_ += "\\\"";
            break;
        case '\\':
            buffer_ += "\\\\";
            break;
        case '\b':
            buffer_ += "\\b";
            break;
        case '\f':
            buffer_ += "\\f";
            break;
        case '\n':
            buffer_ += "\\n";
            break;
        case '\r':
            buffer_ += "\\r";
            break;
        case '\t':
            buffer_ += "\\t";
            break;
        default:
            if (byte < 0x20) {
                buffer_ += "\\u00";
                buffer_ += Hex[byte >> 4];
                buffer_ += Hex[byte & 0xF];
            } else {
                buffer_ += c;
            }
        }
    }
    buffer_ += '"';
}

void cJsonStream::finish() {
    buffer_ += '\n';
    flush();
}

void cJsonStream::flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}
