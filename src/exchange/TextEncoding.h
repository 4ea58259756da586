#pragma once
// How the bytes of an imported text file are to be read. The file itself says nothing but
// its first bytes, so the choice is made from those and, failing a mark, from whether the
// bytes decode as UTF-8:
//
//   first bytes   encoding            unit      text starts at
//   FF FE         UTF-16 LE           16 bits   byte 2
//   EF BB BF      UTF-8               byte      byte 3
//   other         UTF-8, when the whole file is valid UTF-8 and holds at least one
//                 multi-byte sequence (pure 7-bit text stays code-page text)
//   other         Windows-1252        byte      byte 0

#include <cstddef>
#include <cstdint>
#include <string>

enum class eTextEncoding { CodePage, Utf16, Utf8 };

struct cTextEncoding {
    eTextEncoding encoding = eTextEncoding::CodePage;
    // Bytes of the byte-order mark to skip.
    size_t markLength = 0;
};

cTextEncoding DetectTextEncoding(const uint8_t* bytes, size_t size);

// True when every sequence is well-formed UTF-8 (no overlong forms, surrogates or values
// past U+10FFFF) and at least one of them is longer than a byte.
bool IsMultiByteUtf8(const uint8_t* bytes, size_t size);

// The little-endian units of bytes; a trailing odd byte is dropped.
std::u16string DecodeUtf16Le(const uint8_t* bytes, size_t size);
