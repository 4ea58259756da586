#include "hardening/AllocationMeter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<size_t> Largest{0};
std::atomic<size_t> Total{0};
std::atomic<size_t> Ceiling{0};

void* Count(size_t size) {
    const size_t ceiling = Ceiling.load(std::memory_order_relaxed);
    if (ceiling != 0 && size > ceiling)
        return nullptr;
    size_t largest = Largest.load(std::memory_order_relaxed);
    while (size > largest && !Largest.compare_exchange_weak(largest, size))
        ;
    Total.fetch_add(size, std::memory_order_relaxed);
    return std::malloc(size ? size : 1);
}

void* Allocate(size_t size) {
    if (void* p = Count(size))
        return p;
    throw std::bad_alloc();
}

} // namespace

void FailAllocationsAbove(size_t bytes) {
    Ceiling = bytes;
}

void ResetAllocationFigures() {
    Largest = 0;
    Total = 0;
}

sAllocationFigures AllocationFigures() {
    return {Largest.load(), Total.load()};
}

void* operator new(size_t size) {
    return Allocate(size);
}
void* operator new[](size_t size) {
    return Allocate(size);
}
// The model allocates with nothrow new; every form must pair with the deletes below.
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return Count(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return Count(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
