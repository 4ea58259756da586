#include "model/PoolChunks.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

#include "text/Sanitizer.h"

namespace {

constexpr bool MapRegions = !UnderAddressSanitizer;

constexpr size_t HugePage = 2 * 1024 * 1024;
constexpr size_t RegionBytes = 4 * HugePage;

char* regionNext = nullptr;
char* regionEnd = nullptr;

// A region aligned to the huge page size: map one page more than needed and cut the
// unaligned ends off.
bool MapRegion() {
    void* mapped = ::mmap(nullptr, RegionBytes + HugePage, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return false;
    auto* start = static_cast<char*>(mapped);
    auto* aligned = reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(start) + HugePage - 1) &
                                            ~uintptr_t(HugePage - 1));
    if (aligned != start)
        ::munmap(start, static_cast<size_t>(aligned - start));
    char* end = aligned + RegionBytes;
    const size_t tail = static_cast<size_t>(start + RegionBytes + HugePage - end);
    if (tail > 0)
        ::munmap(end, tail);
    AdviseLargePages(aligned, RegionBytes);
    regionNext = aligned;
    regionEnd = end;
    return true;
}

} // namespace

void* AllocatePoolChunk(size_t bytes) noexcept {
    if (!MapRegions || bytes > PoolChunkBytes)
        return ::operator new(bytes, std::nothrow);
    if (static_cast<size_t>(regionEnd - regionNext) < PoolChunkBytes && !MapRegion())
        return ::operator new(bytes, std::nothrow);
    void* chunk = regionNext;
    regionNext += PoolChunkBytes;
    return chunk;
}

void AdviseLargePages(void* start, size_t size) noexcept {
#ifdef MADV_HUGEPAGE
    const auto first = reinterpret_cast<uintptr_t>(start);
    const uintptr_t begin = (first + HugePage - 1) & ~uintptr_t(HugePage - 1);
    const uintptr_t end = (first + size) & ~uintptr_t(HugePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)start;
    (void)size;
#endif
}
