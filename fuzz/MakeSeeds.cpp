// Writes the seed corpus of every fuzz target: OUT/<target>/<file>.
//
//   vesk-fuzz-seeds OUT

#include <cstdio>
#include <filesystem>

#include "FuzzTargets.h"
#include "SeedFiles.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vesk-fuzz-seeds OUT\n");
        return 2;
    }
    int failures = 0;
    for (size_t i = 0; i < FuzzTargetCount; ++i) {
        const char* target = FuzzTargetTable[i].name;
        fs::path directory = fs::path(argv[1]) / target;
        std::error_code error;
        fs::create_directories(directory, error);
        std::vector<sSeedFile> seeds = SeedFilesFor(target, FuzzScratchDirectory());
        if (seeds.empty())
            ++failures;
        for (const sSeedFile& seed : seeds)
            if (!WriteScratchFile((directory / seed.name).string(), seed.bytes.data(),
                                  seed.bytes.size()))
                ++failures;
    }
    std::error_code ignored;
    fs::remove_all(FuzzScratchDirectory(), ignored);
    return failures == 0 ? 0 : 1;
}
