// `vesk-bench-fixtures DIRECTORY` writes the limit files there (see LimitFixtures.h), so that
// the programs timing a first load or a first open read files that another process made.

#include <cstdio>

#include "LimitFixtures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vesk-bench-fixtures DIRECTORY\n");
        return 2;
    }
    const sLimitFiles files = WriteLimitFiles(argv[1]);
    std::printf("%s\n%s\n", files.database.c_str(), files.tabText.c_str());
    return 0;
}
