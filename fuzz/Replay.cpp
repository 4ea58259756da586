// Runs one fuzz target over files and directories of inputs (the seed corpus, the crashes
// found so far), so that any compiler's build re-checks them under ctest. A crash, a
// sanitizer report or a hang is the failure; the exit status is 0 when every input passed.
//
//   vesk-fuzz-replay TARGET PATH...

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzTargets.h"

namespace fs = std::filesystem;

namespace {

void CollectInputs(const fs::path& path, std::vector<fs::path>& inputs) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
        for (const auto& entry : fs::recursive_directory_iterator(path, error))
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
    } else if (fs::is_regular_file(path, error)) {
        inputs.push_back(path);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: vesk-fuzz-replay TARGET PATH...\n");
        return 2;
    }
    FuzzFunction target = FindFuzzTarget(argv[1]);
    if (!target) {
        std::fprintf(stderr, "vesk-fuzz-replay: unknown target %s\n", argv[1]);
        return 2;
    }
    std::vector<fs::path> inputs;
    for (int i = 2; i < argc; ++i)
        CollectInputs(argv[i], inputs);
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::fprintf(stderr, "vesk-fuzz-replay: no inputs\n");
        return 1;
    }
    for (const fs::path& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
        target(bytes.data(), bytes.size());
    }
    std::printf("%s: %zu inputs replayed\n", argv[1], inputs.size());
    std::error_code ignored;
    fs::remove_all(FuzzScratchDirectory(), ignored);
    return 0;
}
