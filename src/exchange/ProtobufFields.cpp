#include "exchange/ProtobufFields.h"

namespace {

enum : uint32_t {
    kWireVarint = 0,
    kWire64 = 1,
    kWireLengthDelimited = 2,
    kWire32 = 5,
};

// At most ten bytes make a 64-bit varint.
constexpr int kMaxVarintBytes = 10;

bool ReadVarint(const std::string& bytes, size_t& position, uint64_t& value) {
    value = 0;
    for (int i = 0; i < kMaxVarintBytes && position < bytes.size(); ++i) {
        const auto byte = static_cast<uint8_t>(bytes[position++]);
        value |= uint64_t(byte & 0x7F) << (7 * i);
        if ((byte & 0x80) == 0)
            return true;
    }
    return false;
}

} // namespace

bool FindProtobufBytes(const std::string& message, uint32_t field, std::string& value) {
    bool found = false;
    size_t position = 0;
    while (position < message.size()) {
        uint64_t key = 0;
        if (!ReadVarint(message, position, key))
            return found;
        uint64_t skip = 0;
        switch (key & 7) {
        case kWireVarint: {
            uint64_t ignored = 0;
            if (!ReadVarint(message, position, ignored))
                return found;
            continue;
        }
        case kWire64:
            skip = 8;
            break;
        case kWire32:
            skip = 4;
            break;
        case kWireLengthDelimited:
            if (!ReadVarint(message, position, skip))
                return found;
            if (skip <= message.size() - position && (key >> 3) == field) {
                value = message.substr(position, static_cast<size_t>(skip));
                found = true;
            }
            break;
        default:
            return found;
        }
        if (skip > message.size() - position)
            return found;
        position += static_cast<size_t>(skip);
    }
    return found;
}
