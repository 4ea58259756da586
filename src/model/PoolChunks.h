#pragma once
// Where the pools' chunks come from. A database at the limits holds tens of megabytes of
// small objects, and a process that loads one for the first time spends much of the load
// faulting in their pages one by one. The chunks are therefore cut from large regions the
// kernel is asked to back with huge pages, so that the first load faults a few times
// instead of thousands. Chunks are never given back: the pools keep theirs for reuse.

#include <cstddef>

// A chunk of at most PoolChunkBytes, aligned for any object, or nullptr when memory is out.
void* AllocatePoolChunk(size_t bytes) noexcept;

constexpr size_t PoolChunkBytes = 64 * 1024;

// Asks the kernel to back the whole large pages inside the size bytes at start with large
// pages when they are first touched; the part of a page at either end stays as it is.
void AdviseLargePages(void* start, size_t size) noexcept;
