// The block pool: blocks are reused, and once every block is back the pool starts afresh, so
// objects made one after the other lie in ascending addresses however the last ones died.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "model/Pool.h"

namespace {

// A block size no model class uses, so the test owns the pool alone.
using tTestPool = cFixedPool<72>;

std::vector<void*> AllocateMany(size_t count) {
    std::vector<void*> blocks;
    for (size_t i = 0; i < count; ++i) {
        blocks.push_back(tTestPool::allocate());
        EXPECT_NE(blocks.back(), nullptr);
    }
    return blocks;
}

bool Ascending(const std::vector<void*>& blocks, size_t count) {
    for (size_t i = 1; i < count; ++i)
        if (reinterpret_cast<uintptr_t>(blocks[i]) <= reinterpret_cast<uintptr_t>(blocks[i - 1]))
            return false;
    return true;
}

} // namespace

TEST(FixedPool, AfterEveryBlockIsBackTheNextBlocksComeInAddressOrder) {
    // More than one chunk, freed in a shuffled order.
    std::vector<void*> blocks = AllocateMany(10000);
    EXPECT_EQ(std::set<void*>(blocks.begin(), blocks.end()).size(), blocks.size());
    std::shuffle(blocks.begin(), blocks.end(), std::mt19937(7));
    for (void* block : blocks)
        tTestPool::release(block);

    // Within one chunk (64 KB) the blocks follow each other.
    std::vector<void*> again = AllocateMany(500);
    EXPECT_TRUE(Ascending(again, again.size()));
    for (void* block : again)
        tTestPool::release(block);
}

TEST(FixedPool, BlocksInUseKeepTheirMemoryWhileOthersAreReused) {
    std::vector<void*> blocks = AllocateMany(5000);
    for (size_t i = 0; i < blocks.size(); ++i)
        static_cast<unsigned char*>(blocks[i])[0] = static_cast<unsigned char>(i);
    // Every other block back; the rest must stay untouched by the reuse that follows.
    for (size_t i = 0; i < blocks.size(); i += 2)
        tTestPool::release(blocks[i]);
    std::vector<void*> reused = AllocateMany(2500);
    for (void* block : reused)
        static_cast<unsigned char*>(block)[0] = 0xEE;
    for (size_t i = 1; i < blocks.size(); i += 2)
        EXPECT_EQ(static_cast<unsigned char*>(blocks[i])[0], static_cast<unsigned char>(i));
    for (size_t i = 1; i < blocks.size(); i += 2)
        tTestPool::release(blocks[i]);
    for (void* block : reused)
        tTestPool::release(block);
}
