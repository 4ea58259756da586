#pragma once
// Values: the data of one attribute for one term. The class follows the attribute's media
// type. storedSize always equals the number of bytes write produces, because the database
// file lays out its record offsets from storedSize before it writes anything.
//
// Stored form of a value (big-endian):
//   offset  width        field
//   0       2            attribute index
//   2       n + 1        Ascii: the unescaped bytes, then 0x00
//   2       2 (n + 1)    Unicode: [U+202B when needed] the code units, then 0x0000

#include "model/Attribute.h"
#include "model/ByteStream.h"
#include "model/CopyBytes.h"
#include "model/Object.h"
#include "model/Pool.h"
#include "model/String.h"

#include <cstdint>
#include <string>

class cValue : public cObject {
public:
    // The class's media type, held as data: a save asks it of every value.
    uint16_t mediaType() const { return mediaType_; }
    // True when the value holds no text.
    virtual bool isEmpty() const = 0;

    virtual uint32_t storedSize() const { return 2; }
    virtual void write(cByteWriter& stream) const { stream.writeU16(attribute); }
    // False when the stream ends before the value does; the value is then partly read.
    virtual bool read(cByteReader& stream) { return stream.readU16(attribute); }

    // Sets the text from the value's own encoding; a text of the other encoding is ignored,
    // so callers convert first. nullptr changes nothing.
    virtual void setText(const char* bytes) { (void)bytes; }
    virtual void setText(const char16_t* units) { (void)units; }

    // A new value of the same class with the same attribute and a copy of the text.
    virtual cValue* clone() const = 0;

    uint16_t attribute = 0;

protected:
    explicit cValue(uint16_t type) : mediaType_(type) {}

private:
    const uint16_t mediaType_;
};

// Ascii text in escaped form: a line break is held as backslash + "n" and a backslash as two
// backslashes, because the value pane edits single-line text; any other backslash pair
// stands for itself. The file holds the real characters.
class cAsciiValue final : public cValue, public cPooled<cAsciiValue> {
public:
    cAsciiValue() : cValue(MediaTypeAscii) {}
    cAsciiValue(uint16_t attributeIndex, const char* escapedText);

    using cValue::setText;
    bool isEmpty() const override { return text.isEmpty(); }
    uint32_t storedSize() const override;
    void write(cByteWriter& stream) const override { writeStored(stream); }
    // What write does, without the virtual call: a save writes every value through it.
    inline void writeStored(cByteWriter& stream) const;
    bool read(cByteReader& stream) override;
    void setText(const char* bytes) override { text.assign(bytes); }
    cValue* clone() const override;

    // Characters after unescaping: backslash-n and backslash-backslash count as one.
    static uint32_t unescapedLength(const char* escaped);
    // The real characters of an escaped text, and back.
    static std::string unescape(const char* escaped);
    static std::string escape(const char* raw, size_t length);

    cString text;

private:
    // writeStored for a text that holds a backslash pair.
    void writeUnescaped(cByteWriter& stream) const;
};

// Unicode text as UTF-16 code units, held unchanged. A text set through setText is a buffer
// of length + 1 units ending in 0; a value whose text was never set has no buffer.
class cUnicodeValue final : public cValue, public cPooled<cUnicodeValue> {
public:
    cUnicodeValue() : cValue(MediaTypeUnicode) {}
    cUnicodeValue(uint16_t attributeIndex, const char16_t* units);
    ~cUnicodeValue() override;

    using cValue::setText;
    bool isEmpty() const override { return length_ == 0; }
    uint32_t storedSize() const override;
    void write(cByteWriter& stream) const override { writeStored(stream); }
    // What write does, without the virtual call: a save writes every value through it.
    inline void writeStored(cByteWriter& stream) const;
    bool read(cByteReader& stream) override;
    void setText(const char16_t* units) override;
    // Copies exactly length units (which must not hold a 0 unit) and adds the terminator.
    void setText(const char16_t* units, uint32_t length);
    cValue* clone() const override;

    // The units, or nullptr when the text was never set.
    const char16_t* text() const { return text_; }
    uint32_t length() const { return length_; }
    bool needsRtlMark() const { return needsRtlMark(text_, length_); }

    // True when the unit lies in one of the ranges of the right-to-left table.
    static bool isRightToLeft(char16_t unit);
    // A text with a right-to-left character gets U+202B (right-to-left embedding) in front
    // when stored, so the handheld lays it out right to left; a text that opens with U+202A
    // (left-to-right embedding) asked for the opposite and gets none.
    static bool needsRtlMark(const char16_t* units, uint32_t length);

    static constexpr char16_t LeftToRightEmbedding = 0x202A;
    static constexpr char16_t RightToLeftEmbedding = 0x202B;

private:
    // Every right-to-left unit lies in one of three spans; most texts have none in them.
    static bool mayBeRightToLeft(char16_t unit) {
        return (unit >= 0x05BE && unit <= 0x07A5) || unit == 0x200F ||
               (unit >= 0xFB1D && unit <= 0xFEFC);
    }
    // writeStored for a text that needs the right-to-left mark in front.
    void writeMarked(cByteWriter& stream) const;
    // Puts units (a buffer of length + 1 units from AllocateText, or nullptr) in place of
    // the text, whose buffer goes back.
    void replaceText(char16_t* units, uint32_t length);

    // The length first: it fits beside the attribute, which keeps the value at 24 bytes.
    uint32_t length_ = 0;
    char16_t* text_ = nullptr;
};

// Most values hold no backslash, and then the escaped form is the file form: saving 65,532
// terms takes that path for nearly every value.
inline void cAsciiValue::writeStored(cByteWriter& stream) const {
    const uint32_t length = text.length();
    uint8_t* out = stream.room(size_t(length) + 3);
    if (!CopyBytesWithout(out + 2, text.textOrEmpty(), length, '\\')) {
        stream.unwrite(size_t(length) + 3);
        writeUnescaped(stream);
        return;
    }
    StoreU16BE(out, attribute);
    out[length + 2] = 0;
}

inline void cUnicodeValue::writeStored(cByteWriter& stream) const {
    // The text and its length are read once: a store through a byte pointer could change
    // any member, so the compiler would read them again for every unit.
    const char16_t* units = text_;
    const uint32_t length = length_;
    uint8_t* out = stream.room(2 * (size_t(length) + 2));
    StoreU16BE(out, attribute);
    // The units are stored as they are looked at for a right-to-left one; most texts have
    // none, and the rare one that does is written again with the mark.
    bool mayNeedMark = false;
    for (uint32_t i = 0; i < length; ++i) {
        StoreU16BE(out + 2 + 2 * i, units[i]);
        mayNeedMark |= mayBeRightToLeft(units[i]);
    }
    StoreU16BE(out + 2 + 2 * length, 0);
    if (mayNeedMark && needsRtlMark(units, length)) {
        stream.unwrite(2 * (size_t(length) + 2));
        writeMarked(stream);
    }
}
