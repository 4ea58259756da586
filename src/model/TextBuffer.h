#pragma once
// Buffers for the texts of names and values. A database at the limits holds some 200,000
// of them, mostly short: sizes up to 512 bytes come from block pools, one per 16-byte size
// class, which hand them out without a heap call and in the order they are made; larger
// ones come from the heap. A buffer goes back with the size it was made with; a text taken
// from a cTextStore goes back to its store.

#include <cstddef>

// A buffer of at least size bytes, or nullptr when memory runs out (or size is 0).
void* AllocateText(size_t size) noexcept;
void ReleaseText(void* buffer, size_t size) noexcept;
