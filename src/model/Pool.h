#pragma once
// A free list of fixed-size blocks for the small objects a database holds by the hundred
// thousand (list nodes, member entries, values). Blocks come from chunks that are kept for
// reuse, so loading, copying and deleting terms does not pay a general allocation for each
// one. The program has one thread; the pool is not meant to be shared between threads.

#include <cstddef>
#include <new>

template <size_t BlockSize> class cFixedPool {
public:
    static void* allocate() noexcept {
        if (!free_ && !grow())
            return nullptr;
        sFree* block = free_;
        free_ = block->next;
        return block;
    }

    static void release(void* pointer) noexcept {
        if (!pointer)
            return;
        auto* block = static_cast<sFree*>(pointer);
        block->next = free_;
        free_ = block;
    }

private:
    struct sFree {
        sFree* next;
    };
    static constexpr size_t Align = alignof(std::max_align_t);
    static constexpr size_t Size = BlockSize < sizeof(sFree) ? sizeof(sFree) : BlockSize;
    static constexpr size_t Stride = (Size + Align - 1) / Align * Align;
    static constexpr size_t BlocksPerChunk = 4096;

    static bool grow() noexcept {
        auto* chunk = static_cast<char*>(::operator new(Stride* BlocksPerChunk, std::nothrow));
        if (!chunk)
            return false;
        for (size_t i = BlocksPerChunk; i-- > 0;)
            release(chunk + i * Stride);
        return true;
    }

    static inline sFree* free_ = nullptr;
};

// Gives a class pooled allocation: `class cThing : public cPooled<cThing>`. Only objects of
// exactly that class may be created with it; a derived class needs its own.
template <class T> struct cPooled {
    static void* operator new(size_t size) {
        void* block = size == sizeof(T) ? cFixedPool<sizeof(T)>::allocate() : ::operator new(size);
        if (!block)
            throw std::bad_alloc();
        return block;
    }
    static void* operator new(size_t size, const std::nothrow_t&) noexcept {
        return size == sizeof(T) ? cFixedPool<sizeof(T)>::allocate()
                                 : ::operator new(size, std::nothrow);
    }
    static void operator delete(void* pointer, size_t size) noexcept {
        if (size == sizeof(T))
            cFixedPool<sizeof(T)>::release(pointer);
        else
            ::operator delete(pointer);
    }
};
