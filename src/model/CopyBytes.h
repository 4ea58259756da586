#pragma once
// A copy that also tells whether the bytes hold a given byte, in one pass over them. A save
// copies the text of every Ascii value and must know whether it holds a backslash; copying
// and looking in one pass halves what it reads, and a text of a few dozen bytes is copied in
// a handful of whole-word moves instead of two library calls.

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace copy_bytes_detail {

// True when some byte of word equals the byte that pattern repeats.
inline bool HoldsByte(uint64_t word, uint64_t pattern) {
    const uint64_t x = word ^ pattern;
    return ((x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull) != 0;
}

} // namespace copy_bytes_detail

// Copies length bytes from in to out (which must not overlap) and returns true when none of
// them equals byte. When one does, returns false; out then holds the bytes, or some of them.
// Reads and writes nothing outside the two ranges.
inline bool CopyBytesWithout(uint8_t* out, const char* in, size_t length, uint8_t byte) {
#if defined(__SSE2__)
    if (length >= 16) {
        const __m128i needle = _mm_set1_epi8(static_cast<char>(byte));
        __m128i found = _mm_setzero_si128();
        const auto copy16 = [&](size_t at) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + at));
            found = _mm_or_si128(found, _mm_cmpeq_epi8(chunk, needle));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), chunk);
        };
        size_t at = 0;
        for (; at + 16 <= length; at += 16)
            copy16(at);
        // The last 16 bytes, overlapping the chunk before: no byte-by-byte tail.
        if (at < length)
            copy16(length - 16);
        return _mm_movemask_epi8(found) == 0;
    }
#endif
    const uint64_t pattern = 0x0101010101010101ull * byte;
    bool holds = false;
    size_t at = 0;
    for (; at + 8 <= length; at += 8) {
        uint64_t word;
        std::memcpy(&word, in + at, 8);
        holds |= copy_bytes_detail::HoldsByte(word, pattern);
        std::memcpy(out + at, &word, 8);
    }
    if (at < length && length >= 8) {
        // The last 8 bytes, overlapping the word before.
        uint64_t word;
        std::memcpy(&word, in + length - 8, 8);
        holds |= copy_bytes_detail::HoldsByte(word, pattern);
        std::memcpy(out + length - 8, &word, 8);
        return !holds;
    }
    if (length >= 4) {
        // 4 to 7 bytes: the first 4 and the last 4, overlapping.
        uint32_t first, last;
        std::memcpy(&first, in, 4);
        std::memcpy(&last, in + length - 4, 4);
        const uint64_t both = (uint64_t(last) << 32) | first;
        std::memcpy(out, &first, 4);
        std::memcpy(out + length - 4, &last, 4);
        return !copy_bytes_detail::HoldsByte(both, pattern);
    }
    for (; at < length; ++at) {
        const uint8_t c = static_cast<uint8_t>(in[at]);
        holds |= c == byte;
        out[at] = c;
    }
    return !holds;
}
