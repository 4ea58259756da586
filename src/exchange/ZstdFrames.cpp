#include "exchange/ZstdFrames.h"

#include <algorithm>
#include <memory>

#include <zstd.h>

namespace {

// The largest window a frame may ask for: 16 MB of buffer, what Anki's own levels stay far
// below; a frame that asks for more is refused instead of allocating it.
constexpr int kMaxWindowLog = 24;
constexpr size_t kChunk = 1 << 16;

struct sStreamFree {
    void operator()(ZSTD_DCtx* context) const { ZSTD_freeDCtx(context); }
};

} // namespace

bool DecompressZstd(const std::string& input, uint64_t limit, std::string& out,
                    std::string& reason) {
    out.clear();
    std::unique_ptr<ZSTD_DCtx, sStreamFree> context(ZSTD_createDCtx());
    if (!context ||
        ZSTD_isError(ZSTD_DCtx_setParameter(context.get(), ZSTD_d_windowLogMax, kMaxWindowLog))) {
        reason = "the collection cannot be decompressed";
        return false;
    }
    ZSTD_inBuffer in{input.data(), input.size(), 0};
    // What the decoder still expects; 0 only at the end of a complete frame.
    size_t pending = 1;
    while (in.pos < in.size || pending != 0) {
        const size_t start = out.size();
        if (start >= limit) {
            out.clear();
            reason = "the collection would decompress to more than its package's size allows";
            return false;
        }
        out.resize(start + static_cast<size_t>(std::min<uint64_t>(kChunk, limit - start)));
        ZSTD_outBuffer chunk{&out[start], out.size() - start, 0};
        pending = ZSTD_decompressStream(context.get(), &chunk, &in);
        out.resize(start + chunk.pos);
        // With room left and no input left, a decoder that still expects more was cut off.
        if (ZSTD_isError(pending) ||
            (pending != 0 && in.pos == in.size && chunk.pos < chunk.size)) {
            out.clear();
            reason = "the collection is not zstd-compressed, or is damaged or cut short";
            return false;
        }
    }
    return true;
}
