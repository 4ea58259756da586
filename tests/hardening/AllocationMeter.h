#pragma once
// Counts what operator new hands out, so that a test can bound the memory a reader spends
// on a hostile file: a count of four billion must end the read, not reserve for it.

#include <cstddef>

struct sAllocationFigures {
    size_t largest = 0; // the largest single allocation
    size_t total = 0;   // all bytes allocated, freed or not
};

// Starts counting afresh (this thread's allocations are all the tests make).
void ResetAllocationFigures();
// From now on a single allocation above bytes fails as memory running out would (0: none).
void FailAllocationsAbove(size_t bytes);
sAllocationFigures AllocationFigures();
