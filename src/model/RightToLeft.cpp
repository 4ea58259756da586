// The right-to-left table: the UTF-16 code units of the Hebrew, Arabic, Syriac and Thaana
// blocks and their presentation forms that make the handheld lay a text out right to left.

#include "model/Value.h"

#include <cstdint>

namespace {

struct cUnitRange {
    char16_t first;
    char16_t last;
};

// Both ends included, in the order in which they are tried.
constexpr cUnitRange RightToLeftRanges[] = {
    {0x05BE, 0x05BE}, {0x05C0, 0x05C0}, {0x05C3, 0x05C3}, {0x05D0, 0x05EA}, {0x05F0, 0x05F2},
    {0x05F3, 0x05F4}, {0x200F, 0x200F}, {0xFB1D, 0xFB1D}, {0xFB1F, 0xFB28}, {0xFB2A, 0xFB36},
    {0xFB38, 0xFB3C}, {0xFB3E, 0xFB3E}, {0xFB40, 0xFB41}, {0xFB43, 0xFB44}, {0xFB46, 0xFB4F},
    {0x061B, 0x061B}, {0x061F, 0x061F}, {0x0621, 0x063A}, {0x0640, 0x0640}, {0x0641, 0x064A},
    {0x066D, 0x066D}, {0x0671, 0x06D3}, {0x06D4, 0x06D4}, {0x06D5, 0x06D5}, {0x06E5, 0x06E6},
    {0x06FA, 0x06FC}, {0x06FD, 0x06FE}, {0x0700, 0x070D}, {0x0710, 0x0710}, {0x0712, 0x072C},
    {0x0780, 0x07A5}, {0xFB50, 0xFBB1}, {0xFBD3, 0xFD3D}, {0xFD50, 0xFD8F}, {0xFD92, 0xFDC7},
    {0xFDF0, 0xFDFB}, {0xFE70, 0xFE72}, {0xFE74, 0xFE74}, {0xFE76, 0xFEFC},
};

static_assert(sizeof(RightToLeftRanges) / sizeof(RightToLeftRanges[0]) == 39,
              "the right-to-left table has 39 ranges");

// Saving asks about every unit of every Unicode value twice (its size, then its bytes), so
// the ranges are turned once into one bit per code unit.
class cRightToLeftBits {
public:
    cRightToLeftBits() {
        for (const cUnitRange& range : RightToLeftRanges)
            for (uint32_t unit = range.first; unit <= range.last; ++unit)
                bits_[unit >> 6] |= uint64_t(1) << (unit & 63);
    }
    bool test(char16_t unit) const { return (bits_[unit >> 6] >> (unit & 63)) & 1; }

private:
    uint64_t bits_[0x10000 / 64] = {};
};

} // namespace

bool cUnicodeValue::isRightToLeft(char16_t unit) {
    static const cRightToLeftBits bits;
    return bits.test(unit);
}
