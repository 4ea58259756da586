#pragma once
// A free list of fixed-size blocks for the small objects a database holds by the hundred
// thousand (list nodes, member entries, values, texts). Blocks come from chunks that are
// kept for reuse, so loading, copying and deleting terms does not pay a general allocation
// for each one. The program has one thread; the pool is not meant to be shared between threads.

#include <cstddef>
#include <new>

#include "model/PoolChunks.h"

template <size_t BlockSize> class cFixedPool {
public:
    static void* allocate() noexcept {
        if (!free_ && !grow())
            return nullptr;
        sFree* block = free_;
        free_ = block->next;
        ++live_;
        return block;
    }

    static void release(void* pointer) noexcept {
        if (!pointer)
            return;
        push(pointer);
        ++releasedSinceRestack_;
        if (--live_ == 0 && 2 * releasedSinceRestack_ >= blocks_)
            restack();
    }

private:
    struct sFree {
        sFree* next;
    };
    struct sChunk {
        sChunk* next;
    };
    // The pooled objects hold pointers and integers: pointer alignment keeps a 24-byte
    // object in 24 bytes (cPooled refuses a class that needs more).
    static constexpr size_t Align = alignof(void*);
    static constexpr size_t Size = BlockSize < sizeof(sFree) ? sizeof(sFree) : BlockSize;
    static constexpr size_t Stride = (Size + Align - 1) / Align * Align;
    // The chunk's link sits in front of its blocks, padded to keep them aligned.
    static constexpr size_t ChunkHeader = (sizeof(sChunk) + Align - 1) / Align * Align;
    static constexpr size_t ChunkBytes = PoolChunkBytes;
    static constexpr size_t BlocksPerChunk = Stride * 16 > ChunkBytes - ChunkHeader
                                                 ? 16
                                                 : (ChunkBytes - ChunkHeader) / Stride;

    static void push(void* pointer) noexcept {
        auto* block = static_cast<sFree*>(pointer);
        block->next = free_;
        free_ = block;
    }

    // Blocks are handed out in address order from a fresh chunk, so objects made one after
    // the other (a database being loaded) lie one after the other and are walked that way.
    static void stack(sChunk* chunk) noexcept {
        char* blocks = reinterpret_cast<char*>(chunk) + ChunkHeader;
        for (size_t i = BlocksPerChunk; i-- > 0;)
            push(blocks + i * Stride);
    }

    static bool grow() noexcept {
        void* memory = AllocatePoolChunk(ChunkHeader + Stride * BlocksPerChunk);
        if (!memory)
            return false;
        auto* chunk = static_cast<sChunk*>(memory);
        chunk->next = chunks_;
        chunks_ = chunk;
        blocks_ += BlocksPerChunk;
        stack(chunk);
        return true;
    }

    // Once every block is back, the free list is in whatever order the objects died in; the
    // next database would be scattered over it. Every chunk is then stacked afresh, oldest on
    // top, so blocks are handed out in address order again. The chunks stay: a database
    // opened next reuses their memory instead of faulting in new pages. Restacking only after
    // as many releases as half the blocks keeps code that makes and frees one object at a
    // time from paying for it each time.
    static void restack() noexcept {
        free_ = nullptr;
        for (sChunk* chunk = chunks_; chunk; chunk = chunk->next)
            stack(chunk);
        releasedSinceRestack_ = 0;
    }

    static inline sFree* free_ = nullptr;
    static inline sChunk* chunks_ = nullptr;
    static inline size_t live_ = 0;
    static inline size_t blocks_ = 0;
    static inline size_t releasedSinceRestack_ = 0;
};

// Gives a class pooled allocation: `class cThing : public cPooled<cThing>`. Only objects of
// exactly that class may be created with it; a derived class needs its own.
template <class T> struct cPooled {
    static void* operator new(size_t size) {
        static_assert(alignof(T) <= alignof(void*), "pool blocks are pointer-aligned");
        void* block = size == sizeof(T) ? cFixedPool<sizeof(T)>::allocate() : ::operator new(size);
        if (!block)
            throw std::bad_alloc();
        return block;
    }
    static void* operator new(size_t size, const std::nothrow_t&) noexcept {
        static_assert(alignof(T) <= alignof(void*), "pool blocks are pointer-aligned");
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
