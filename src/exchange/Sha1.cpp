#include "exchange/Sha1.h"

#include <vector>

namespace {

uint32_t RotateLeft(uint32_t value, int bits) {
    return (value << bits) | (value >> (32 - bits));
}

void ProcessBlock(const uint8_t* block, uint32_t state[5]) {
    uint32_t w[80];
    for (int i = 0; i < 16; ++i)
        w[i] = uint32_t(block[4 * i]) << 24 | uint32_t(block[4 * i + 1]) << 16 |
               uint32_t(block[4 * i + 2]) << 8 | uint32_t(block[4 * i + 3]);
    for (int i = 16; i < 80; ++i)
        w[i] = RotateLeft(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    for (int i = 0; i < 80; ++i) {
        uint32_t f, k;
        if (i < 20) {
            f = (b & c) | (~b & d);
            k = 0x5A827999;
        } else if (i < 40) {
            f = b ^ c ^ d;
            k = 0x6ED9EBA1;
        } else if (i < 60) {
            f = (b & c) | (b & d) | (c & d);
            k = 0x8F1BBCDC;
        } else {
            f = b ^ c ^ d;
            k = 0xCA62C1D6;
        }
        const uint32_t next = RotateLeft(a, 5) + f + e + k + w[i];
        e = d;
        d = c;
        c = RotateLeft(b, 30);
        b = a;
        a = next;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
}

} // namespace

std::array<uint8_t, 20> Sha1(const std::string& bytes) {
    uint32_t state[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    const size_t whole = bytes.size() / 64 * 64;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    for (size_t offset = 0; offset < whole; offset += 64)
        ProcessBlock(data + offset, state);

    // The rest, 0x80, zeros, and the length in bits as 64 bits big-endian.
    std::vector<uint8_t> tail(data + whole, data + bytes.size());
    tail.push_back(0x80);
    while (tail.size() % 64 != 56)
        tail.push_back(0);
    const uint64_t bits = uint64_t(bytes.size()) * 8;
    for (int shift = 56; shift >= 0; shift -= 8)
        tail.push_back(static_cast<uint8_t>(bits >> shift));
    for (size_t offset = 0; offset < tail.size(); offset += 64)
        ProcessBlock(tail.data() + offset, state);

    std::array<uint8_t, 20> digest{};
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 4; ++j)
            digest[4 * i + j] = static_cast<uint8_t>(state[i] >> (24 - 8 * j));
    return digest;
}
