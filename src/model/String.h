#pragma once
// An owned, NUL-terminated byte string with a 32-bit length. An empty string holds no
// buffer at all, which keeps the thousands of empty names and values of a large database
// cheap. Copies are deep, so a cString can live in standard containers as well.
//
// Allocation failure leaves the string empty rather than throwing: the model never throws
// across its boundary.

#include <cstdint>

class cString {
public:
    cString() = default;
    explicit cString(const char* text) { assign(text); }
    cString(const cString& other) { assign(other.text_, other.length_); }
    cString(cString&& other) noexcept
        : text_(other.text_), length_(other.length_), bufferSize_(other.bufferSize_) {
        other.text_ = nullptr;
        other.length_ = 0;
        other.bufferSize_ = 0;
    }
    cString& operator=(const cString& other);
    cString& operator=(cString&& other) noexcept;
    ~cString() { clear(); }

    // Copies text up to its terminator. Assigning the string's own buffer does nothing;
    // nullptr or "" empties the string. A text that points into this string's own buffer is
    // copied before the old buffer goes.
    void assign(const char* text);
    void assign(const cString& other) { assign(other.text_, other.length_); }
    // Copies exactly length bytes (which must not hold a NUL) and adds the terminator.
    void assign(const char* bytes, uint32_t length);
    // Makes text, taken from a cTextStore, the string's buffer instead of copying it: length
    // bytes, none of them NUL, then a NUL.
    void adopt(char* text, uint32_t length);

    // The buffer, or nullptr when the string is empty.
    const char* text() const { return text_; }
    // The buffer, or "" when the string is empty: for callers that need a valid C string.
    const char* textOrEmpty() const { return text_ ? text_ : ""; }
    uint32_t length() const { return length_; }
    bool isEmpty() const { return text_ == nullptr; }

    // Exact, case-sensitive byte comparison; empty equals empty (and nullptr).
    bool equals(const char* text) const;
    bool equals(const cString& other) const;

    // Shortens the string in place when position is below the length.
    void truncate(uint32_t position);
    void clear();

private:
    char* text_ = nullptr;
    uint32_t length_ = 0;
    // The size the buffer was made with: truncate shortens the text in place, and the
    // buffer goes back with its own size.
    uint32_t bufferSize_ = 0;
};
