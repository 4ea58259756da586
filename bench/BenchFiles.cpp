#include "BenchFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string MadeDirectory;

} // namespace

const std::string& BenchDirectory() {
    static const std::string directory = [] {
        if (const char* given = std::getenv("VESK_BENCH_DIR")) {
            std::filesystem::create_directories(given);
            return std::string(given);
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "vesk-bench-XXXXXX");
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (!::mkdtemp(buffer.data())) {
            std::perror("vesk-bench: no temporary directory");
            std::exit(1);
        }
        MadeDirectory = buffer.data();
        std::atexit(RemoveBenchDirectory);
        return MadeDirectory;
    }();
    return directory;
}

const sLimitFiles& LimitFiles() {
    static const sLimitFiles files = WriteLimitFiles(BenchDirectory());
    return files;
}

void RemoveBenchDirectory() {
    if (MadeDirectory.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(MadeDirectory, ignored);
    MadeDirectory.clear();
}
