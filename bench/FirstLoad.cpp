// The first load in a fresh process: `vesk-bench-first FILE` checks and loads FILE once, as
// an Open does, and prints the milliseconds it took. Nothing was loaded before it in this
// process, so the figure holds what a user's first load pays (the pools' first pages
// included); the driver makes the file in another process and takes the median of fresh
// runs of this program.

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "dbfile/DatabaseFiles.h"
#include "model/Database.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vesk-bench-first FILE\n");
        return 2;
    }
    auto* db = new cDatabase; // left to the system at exit: freeing is not part of a load
    const auto start = std::chrono::steady_clock::now();
    const int result = LoadDatabaseFile(argv[1], *db);
    const std::chrono::duration<double, std::milli> taken =
        std::chrono::steady_clock::now() - start;
    if (result != 0 || db->terms.count() == 0) {
        std::fprintf(stderr, "vesk-bench-first: %s did not load\n", argv[1]);
        return 1;
    }
    std::printf("%.3f\n", taken.count());
    std::fflush(stdout);
    std::_Exit(0);
}
