#include "model/String.h"

#include "model/TextBuffer.h"

#include <cstring>
#include <new>

cString& cString::operator=(const cString& other) {
    if (this != &other)
        assign(other.text_, other.length_);
    return *this;
}

cString& cString::operator=(cString&& other) noexcept {
    if (this != &other) {
        clear();
        text_ = other.text_;
        length_ = other.length_;
        bufferSize_ = other.bufferSize_;
        other.text_ = nullptr;
        other.length_ = 0;
        other.bufferSize_ = 0;
    }
    return *this;
}

void cString::assign(const char* text) {
    if (text == text_)
        return;
    assign(text, text ? static_cast<uint32_t>(std::strlen(text)) : 0);
}

void cString::assign(const char* bytes, uint32_t length) {
    if (bytes == text_ && length == length_)
        return;
    char* copy = nullptr;
    if (bytes && length > 0) {
        // Copy first: bytes may point into the buffer that is about to be freed.
        copy = static_cast<char*>(AllocateText(size_t(length) + 1));
        if (copy) {
            std::memcpy(copy, bytes, length);
            copy[length] = '\0';
        }
    }
    clear();
    text_ = copy;
    length_ = copy ? length : 0;
    bufferSize_ = copy ? length + 1 : 0;
}

void cString::adopt(char* text, uint32_t length) {
    clear();
    if (length == 0) {
        ReleaseText(text, 1); // an empty string holds no buffer
        return;
    }
    text_ = text;
    length_ = length;
    bufferSize_ = length + 1;
}

bool cString::equals(const char* text) const {
    if (!text || !*text)
        return text_ == nullptr;
    if (!text_)
        return false;
    return std::strcmp(text_, text) == 0;
}

bool cString::equals(const cString& other) const {
    if (length_ != other.length_)
        return false;
    return length_ == 0 || std::memcmp(text_, other.text_, length_) == 0;
}

void cString::truncate(uint32_t position) {
    if (position >= length_)
        return;
    // Truncating to nothing frees the buffer, so that "empty" keeps meaning "no buffer"
    // and such a string equals every other empty one.
    if (position == 0) {
        clear();
        return;
    }
    text_[position] = '\0';
    length_ = position;
}

void cString::clear() {
    ReleaseText(text_, bufferSize_);
    text_ = nullptr;
    length_ = 0;
    bufferSize_ = 0;
}
