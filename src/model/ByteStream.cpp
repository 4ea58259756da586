#include "model/ByteStream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

cByteWriter::~cByteWriter() {
    std::free(data_);
}

void cByteWriter::reserve(size_t capacity) {
    if (capacity > capacity_)
        resize(capacity);
}

void cByteWriter::shrink(size_t capacity) {
    if (capacity_ <= capacity)
        return;
    std::free(data_);
    data_ = nullptr;
    size_ = capacity_ = 0;
}

void cByteWriter::grow(size_t count) {
    if (count > SIZE_MAX - size_)
        throw std::bad_alloc();
    const size_t wanted = size_ + count;
    size_t capacity = capacity_ < 256 ? 256 : capacity_;
    while (capacity < wanted)
        capacity = capacity > SIZE_MAX / 2 ? wanted : capacity * 2;
    resize(capacity);
}

void cByteWriter::resize(size_t capacity) {
    void* resized = std::realloc(data_, capacity);
    if (!resized)
        throw std::bad_alloc();
    data_ = static_cast<uint8_t*>(resized);
    capacity_ = capacity;
}

void cByteWriter::writeBytes(const void* data, size_t size) {
    if (size)
        std::memcpy(room(size), data, size);
}

void cByteWriter::writeCString(const char* text) {
    if (text)
        writeBytes(text, std::strlen(text));
    writeU8(0);
}

bool cByteReader::readCString(std::string& text) {
    if (remaining() == 0)
        return fail();
    const void* end = std::memchr(data_ + position_, 0, remaining());
    if (!end)
        return fail();
    size_t length = static_cast<const uint8_t*>(end) - (data_ + position_);
    text.assign(reinterpret_cast<const char*>(data_ + position_), length);
    position_ += length + 1;
    return true;
}

bool cByteReader::readCStringView(const char*& text, size_t& length) {
    if (remaining() == 0)
        return fail();
    const void* end = std::memchr(data_ + position_, 0, remaining());
    if (!end)
        return fail();
    text = reinterpret_cast<const char*>(data_ + position_);
    length = static_cast<size_t>(static_cast<const uint8_t*>(end) - (data_ + position_));
    position_ += length + 1;
    return true;
}

bool cByteReader::peekU16StringLength(size_t& units) const {
    const uint8_t* p = data_ + position_;
    const size_t available = remaining() / 2;
    for (size_t i = 0; i < available; ++i) {
        if (p[2 * i] == 0 && p[2 * i + 1] == 0) {
            units = i;
            return true;
        }
    }
    return false;
}

bool cByteReader::readU16String(std::u16string& text) {
    size_t units = remaining() / 2;
    const uint8_t* p = data_ + position_;
    for (size_t i = 0; i < units; ++i) {
        if (p[2 * i] == 0 && p[2 * i + 1] == 0) {
            text.resize(i);
            for (size_t k = 0; k < i; ++k)
                text[k] = static_cast<char16_t>((p[2 * k] << 8) | p[2 * k + 1]);
            position_ += 2 * (i + 1);
            return true;
        }
    }
    return fail();
}

