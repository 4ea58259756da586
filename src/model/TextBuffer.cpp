#include "model/TextBuffer.h"

#include <array>
#include <new>
#include <utility>

#include "model/Pool.h"
#include "model/TextStore.h"

namespace {

constexpr size_t SizeStep = 16;
constexpr size_t PooledClasses = 32; // up to 512 bytes: a Unicode value of 255 units

struct sPoolCalls {
    void* (*allocate)() noexcept;
    void (*release)(void*) noexcept;
};

template <size_t... Class> constexpr auto PoolTable(std::index_sequence<Class...>) {
    return std::array<sPoolCalls, sizeof...(Class)>{
        sPoolCalls{&cFixedPool<(Class + 1) * SizeStep>::allocate,
                   &cFixedPool<(Class + 1) * SizeStep>::release}...};
}

constexpr auto Pools = PoolTable(std::make_index_sequence<PooledClasses>());

size_t ClassOf(size_t size) {
    return (size - 1) / SizeStep;
}

} // namespace

void* AllocateText(size_t size) noexcept {
    if (size == 0)
        return nullptr;
    if (ClassOf(size) < PooledClasses)
        return Pools[ClassOf(size)].allocate();
    return ::operator new(size, std::nothrow);
}

void ReleaseText(void* buffer, size_t size) noexcept {
    if (!buffer || cTextStore::giveBack(buffer))
        return;
    if (ClassOf(size) < PooledClasses)
        Pools[ClassOf(size)].release(buffer);
    else
        ::operator delete(buffer);
}
