#pragma once
// The directory the benchmarks work in: $VESK_BENCH_DIR when the driver sets it, otherwise
// a fresh temporary directory. The limit files are written there once per program.

#include <string>

#include "LimitFixtures.h"

const std::string& BenchDirectory();
const sLimitFiles& LimitFiles();
