#pragma once
// How the bytes of an imported text file are to be read. The file itself says nothing but
// its first bytes, so the choice is made from those and, failing a mark, from whether the
// bytes decode as UTF-8:
//
//   first bytes   encoding            unit      text starts at
//   FF FE         UTF-16 LE           16 bits   byte 2
//   FE FF         UTF-16 BE           16 bits   byte 2
//   EF BB BF      UTF-8               byte      byte 3
//   other         UTF-16 LE or BE, when the file looks like it (see LooksLikeUtf16)
//   other         UTF-8, when the whole file is valid UTF-8 and holds at least one
//                 multi-byte sequence (pure 7-bit text stays code-page text)
//   other         Windows-1252        byte      byte 0
//
// Programs that write UTF-16 without a mark are common enough, and read as bytes such a
// file would be cut at its first NUL, so its NUL bytes are what give it away.

#include <cstddef>
#include <cstdint>
#include <string>

enum class eTextEncoding { CodePage, Utf16, Utf8 };

struct cTextEncoding {
    eTextEncoding encoding = eTextEncoding::CodePage;
    // Bytes of the byte-order mark to skip.
    size_t markLength = 0;
    // For UTF-16: the high byte of each unit comes first.
    bool bigEndian = false;
};

cTextEncoding DetectTextEncoding(const uint8_t* bytes, size_t size);

// True when every sequence is well-formed UTF-8 (no overlong forms, surrogates or values
// past U+10FFFF) and at least one of them is longer than a byte.
bool IsMultiByteUtf8(const uint8_t* bytes, size_t size);

// True when bytes without a mark read as UTF-16 in the given byte order: an even size, no
// NUL unit, every NUL byte in the high-byte position and NUL high bytes in at least half of
// the units. A code-page file with a stray NUL fails this, and is then refused for the NUL
// rather than misread; so is UTF-16 text mostly outside Latin-1 without a mark.
bool LooksLikeUtf16(const uint8_t* bytes, size_t size, bool bigEndian);

// The units of bytes in the given byte order; a trailing odd byte is dropped.
std::u16string DecodeUtf16(const uint8_t* bytes, size_t size, bool bigEndian);
