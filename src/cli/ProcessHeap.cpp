#include "cli/ProcessHeap.h"

#include <sys/stat.h>

#include "dbfile/DatabaseWrite.h"
#include "model/Database.h"
#include "text/Sanitizer.h"

#if !VESK_ADDRESS_SANITIZER && defined(__GLIBC__) && defined(__linux__)
#define VESK_OWN_HEAP 1
#else
#define VESK_OWN_HEAP 0
#endif

#if VESK_OWN_HEAP
#include <cstdlib>
#include <malloc.h>

#include "model/PoolChunks.h"
#endif

namespace {

#if VESK_OWN_HEAP
// What a database built from a file takes, as a multiple of the file's size (measured: about
// 13 for a quoted CSV), with a floor, and a ceiling that stays well inside the heap's reach.
constexpr size_t HeapPerInputByte = 16;
constexpr size_t HeapFloor = 16u << 20;
constexpr size_t HeapCeiling = 1u << 30;
constexpr size_t LargePage = 2u << 20;
#endif

// PrepareHeapForFile for a file of inputBytes.
void PrepareHeapFor(size_t inputBytes) {
#if VESK_OWN_HEAP
    const size_t reserve = inputBytes > (HeapCeiling - HeapFloor) / HeapPerInputByte
                               ? HeapCeiling
                               : HeapFloor + inputBytes * HeapPerInputByte;
    // Freed buffers stay in the heap, and the heap never shrinks back while the process runs.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(HeapCeiling + LargePage));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(HeapCeiling + LargePage));
    void* block = std::malloc(reserve);
    if (!block)
        return;
    AdviseLargePages(block, reserve);
    std::free(block);
#else
    (void)inputBytes;
#endif
}

bool processEnds = false;

} // namespace

void PrepareHeapForFile(const std::string& path) {
    struct stat status;
    if (processEnds && ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode))
        PrepareHeapFor(static_cast<size_t>(status.st_size));
}

void MarkProcessEndsAfterCommand() {
    processEnds = true;
    // No write comes after the command's: keeping its term records would be wasted work.
    KeepNoTermRecords();
}

bool ProcessEndsAfterCommand() {
    return processEnds;
}

void LeaveToSystem(std::unique_ptr<cDatabase> db) {
    if (processEnds && !UnderAddressSanitizer)
        (void)db.release();
}
