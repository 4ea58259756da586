#pragma once
// Byte streams of the core. Every multi-byte integer is big-endian, whatever the host's
// byte order. Writing appends to a buffer in memory (files are written whole through the
// safe-save path) and costs a store per byte, since a save writes every value of the
// database through it; reading works on bytes already in memory and never reads past their end:
// a read that would fails, leaves the position where it was and marks the stream failed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A 16-bit number high byte first, at out.
inline void StoreU16BE(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value >> 8);
    out[1] = static_cast<uint8_t>(value);
}

// A 32-bit number high byte first, at out.
inline void StoreU32BE(uint8_t* out, uint32_t value) {
    out[0] = static_cast<uint8_t>(value >> 24);
    out[1] = static_cast<uint8_t>(value >> 16);
    out[2] = static_cast<uint8_t>(value >> 8);
    out[3] = static_cast<uint8_t>(value);
}

inline uint16_t LoadU16BE(const uint8_t* in) {
    return static_cast<uint16_t>((in[0] << 8) | in[1]);
}

inline uint32_t LoadU32BE(const uint8_t* in) {
    return (uint32_t(in[0]) << 24) | (uint32_t(in[1]) << 16) | (uint32_t(in[2]) << 8) | in[3];
}

class cByteWriter {
public:
    cByteWriter() = default;
    ~cByteWriter();
    cByteWriter(const cByteWriter&) = delete;
    cByteWriter& operator=(const cByteWriter&) = delete;

    void writeU8(uint8_t value) { *room(1) = value; }
    void writeU16(uint16_t value) { StoreU16BE(room(2), value); }
    void writeU32(uint32_t value) { StoreU32BE(room(4), value); }
    void writeBytes(const void* data, size_t size);
    // The bytes and one NUL.
    void writeCString(const char* text);
    // Appends count bytes for the caller to fill and returns where they start. The pointer
    // holds until the next write.
    uint8_t* room(size_t count) {
        if (capacity_ - size_ < count)
            grow(count);
        uint8_t* p = data_ + size_;
        size_ += count;
        return p;
    }
    void reserve(size_t capacity);
    // Forgets the bytes and keeps the buffer, so writing as much again touches no new memory.
    void clear() { size_ = 0; }
    // Overwrites 4 of the bytes already written, from offset on (offset + 4 <= size).
    void patchU32(size_t offset, uint32_t value) { StoreU32BE(data_ + offset, value); }
    // Takes back the last count bytes written (count must not exceed the size).
    void unwrite(size_t count) { size_ -= count; }
    // Gives the buffer back when it is larger than capacity.
    void shrink(size_t capacity);

    size_t size() const { return size_; }
    const uint8_t* data() const { return data_; }
    // A copy of the bytes written so far.
    std::vector<uint8_t> bytes() const { return std::vector<uint8_t>(data_, data_ + size_); }

private:
    // Makes room for count more bytes; throws std::bad_alloc when memory runs out.
    void grow(size_t count);
    // Moves the bytes to a buffer of exactly capacity bytes (never below the size).
    void resize(size_t capacity);

    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

class cByteReader {
public:
    cByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    explicit cByteReader(const std::vector<uint8_t>& bytes)
        : data_(bytes.data()), size_(bytes.size()) {}
    // The reader does not own its bytes, so it cannot read a temporary.
    explicit cByteReader(const std::vector<uint8_t>&& bytes) = delete;

    // The fixed-width reads are inline: a load makes some ten of them per value.
    bool readU8(uint8_t& value) {
        if (remaining() < 1)
            return fail();
        value = data_[position_++];
        return true;
    }
    bool readU16(uint16_t& value) {
        if (remaining() < 2)
            return fail();
        value = static_cast<uint16_t>((data_[position_] << 8) | data_[position_ + 1]);
        position_ += 2;
        return true;
    }
    bool readU32(uint32_t& value) {
        if (remaining() < 4)
            return fail();
        const uint8_t* p = data_ + position_;
        value = (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
        position_ += 4;
        return true;
    }
    // Reads the bytes up to the next NUL and steps over it; fails (and reads nothing) when
    // no NUL lies before the end.
    bool readCString(std::string& text);
    // The same without copying: the bytes stay where they are, in the reader's buffer.
    bool readCStringView(const char*& text, size_t& length);
    // Reads 16-bit units up to the next 0x0000 unit and steps over it; fails likewise.
    bool readU16String(std::u16string& text);
    // The number of 16-bit units before the next 0x0000 unit, without moving; false when
    // there is none before the end.
    bool peekU16StringLength(size_t& units) const;
    // Positions the stream; fails when position lies past the end.
    bool seek(size_t position) {
        if (position > size_)
            return fail();
        position_ = position;
        return true;
    }
    bool skip(size_t count) {
        if (count > remaining())
            return fail();
        position_ += count;
        return true;
    }

    size_t position() const { return position_; }
    size_t size() const { return size_; }
    size_t remaining() const { return size_ - position_; }
    bool atEnd() const { return position_ >= size_; }
    bool failed() const { return failed_; }
    // For a reader that finds its data malformed: marks the stream failed; returns false.
    bool markFailed() { return fail(); }
    const uint8_t* data() const { return data_; }

private:
    bool fail() {
        failed_ = true;
        return false;
    }

    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
    bool failed_ = false;
};
