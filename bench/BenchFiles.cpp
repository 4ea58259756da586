#include "BenchFiles.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

const std::string& BenchDirectory() {
    static const std::string directory = [] {
        if (const char* given = std::getenv("VESK_BENCH_DIR")) {
            std::filesystem::create_directories(given);
            return std::string(given);
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "vesk-bench-XXXXXX");
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        return std::string(::mkdtemp(buffer.data()) ? buffer.data() : "/tmp");
    }();
    return directory;
}

const sLimitFiles& LimitFiles() {
    static const sLimitFiles files = WriteLimitFiles(BenchDirectory());
    return files;
}
