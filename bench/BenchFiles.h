#pragma once
// The directory the benchmarks work in: $VESK_BENCH_DIR when the driver sets it, otherwise
// a fresh temporary directory, removed again when the program ends (RemoveBenchDirectory).
// The limit files are written there once per program.

#include <string>

#include "LimitFixtures.h"

const std::string& BenchDirectory();
const sLimitFiles& LimitFiles();

// Removes the directory BenchDirectory made, if it made one; a directory given through
// $VESK_BENCH_DIR belongs to the driver and stays. Runs at a normal exit by itself; a
// program that leaves through _Exit calls it first.
void RemoveBenchDirectory();
