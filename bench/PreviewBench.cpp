// The delimited import's preview opened on a 100 MB file: the dialog reads only the head it
// shows, so the time must not grow with the file.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <string>

#include "BenchFiles.h"
#include "shell/DelimitedImportDialog.h"

namespace {

constexpr size_t HundredMegabytes = 100u << 20;

// Made once per benchmark directory, outside the timed part.
std::string BigFile() {
    const std::string path = BenchDirectory() + "/big.csv";
    if (FILE* existing = std::fopen(path.c_str(), "rb")) {
        std::fclose(existing);
        return path;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    std::string block = "Word,Hanzi,Meaning\r\n";
    for (int row = 0; block.size() < (1u << 20); ++row)
        block += "w" + std::to_string(row) +
                 ",\xE4\xB8\xAD\xE6\x96\x87,\"a meaning, \"\"quoted\"\", long enough\"\r\n";
    for (size_t written = 0; file && written < HundredMegabytes; written += block.size())
        std::fwrite(block.data(), 1, block.size(), file);
    if (file)
        std::fclose(file);
    return path;
}

void PreviewHundredMegabytes(benchmark::State& state) {
    const std::string path = BigFile();
    for (auto _ : state) {
        cDelimitedImportDialog dialog(nullptr, path, nullptr, 0);
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.choice().mappings.size());
    }
}
BENCHMARK(PreviewHundredMegabytes)->Unit(benchmark::kMillisecond);

} // namespace
