// The core at the limits: saving, loading and importing a 65,532-term database, each beside
// the floor it is measured against (the same bytes written through the same safe save).

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "BenchFiles.h"
#include "dbfile/DatabaseCheck.h"
#include "dbfile/FileBytes.h"
#include "dbfile/SafeSave.h"
#include "exchange/AnkiPackageExport.h"
#include "exchange/AnkiPackageImport.h"
#include "exchange/TextImport.h"
#include "model/Database.h"
#include "text/Messages.h"

namespace {

// The import's summary box, unshown.
class cQuietSink : public cMessageSink {
public:
    cQuietSink() { InstallMessageSink(this); }
    ~cQuietSink() override { InstallMessageSink(nullptr); }
    int showMessage(const std::string&, const std::string&, unsigned) override {
        return MessageResultOk;
    }
    void showStatus(const std::string&) override {}
};

void Save(benchmark::State& state) {
    cDatabase db;
    db.path.assign(LimitFiles().database.c_str());
    db.load();
    db.path.assign((BenchDirectory() + "/save.PDB").c_str());
    for (auto _ : state)
        benchmark::DoNotOptimize(db.save());
}
BENCHMARK(Save)->Unit(benchmark::kMillisecond);

// A save with no record kept from the save before, as the first save after an open and
// `vesk import pdb` make it: every term's values are written.
void SaveEveryRecord(benchmark::State& state) {
    cDatabase db;
    db.path.assign(LimitFiles().database.c_str());
    db.load();
    db.path.assign((BenchDirectory() + "/save.PDB").c_str());
    for (auto _ : state) {
        state.PauseTiming();
        for (cTerm* term : Items<cTerm>(db.terms))
            term->changeValues();
        state.ResumeTiming();
        benchmark::DoNotOptimize(db.save());
    }
}
BENCHMARK(SaveEveryRecord)->Unit(benchmark::kMillisecond);

// The floor of a save: the bytes of the saved file, written once through the safe save.
void SafeSaveOneWrite(benchmark::State& state) {
    std::vector<uint8_t> bytes;
    ReadFileBytes(LimitFiles().database, bytes);
    const std::string path = BenchDirectory() + "/write.PDB";
    for (auto _ : state)
        benchmark::DoNotOptimize(SafeSaveFile(path, bytes.data(), bytes.size()));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(SafeSaveOneWrite)->Unit(benchmark::kMillisecond);

// The checks and the load an Open makes; freeing the loaded database is not part of it.
void CheckAndLoad(benchmark::State& state) {
    const std::string& path = LimitFiles().database;
    for (auto _ : state) {
        auto db = std::make_unique<cDatabase>();
        CheckDatabaseFile(path);
        db->path.assign(path.c_str());
        benchmark::DoNotOptimize(db->load());
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(CheckAndLoad)->Unit(benchmark::kMillisecond);

void ImportTabDelimited(benchmark::State& state) {
    const std::string& path = LimitFiles().tabText;
    for (auto _ : state) {
        cDatabase db;
        benchmark::DoNotOptimize(ImportTextFile(db, path, false));
    }
}
BENCHMARK(ImportTabDelimited)->Unit(benchmark::kMillisecond);

// The limit database as an Anki package with reverse cards, and that package imported.
void ExportAnkiPackageAtLimit(benchmark::State& state) {
    cDatabase db;
    db.path.assign(LimitFiles().database.c_str());
    db.load();
    sAnkiExportOptions options;
    options.reverse = true;
    const std::string path = BenchDirectory() + "/limit.apkg";
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportAnkiPackage(db, path, options));
}
BENCHMARK(ExportAnkiPackageAtLimit)->Unit(benchmark::kMillisecond);

void ImportAnkiPackageAtLimit(benchmark::State& state) {
    cDatabase db;
    db.path.assign(LimitFiles().database.c_str());
    db.load();
    const std::string path = BenchDirectory() + "/import.apkg";
    ExportAnkiPackage(db, path, {});
    cQuietSink quiet;
    for (auto _ : state) {
        cDatabase imported;
        std::string reason;
        benchmark::DoNotOptimize(ImportAnkiPackage(imported, path, reason));
    }
}
BENCHMARK(ImportAnkiPackageAtLimit)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
