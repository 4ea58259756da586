# Wraps CMake (Ninja). `make test` and `make run` install what is missing first.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
ASAN_BUILD_DIR ?= build-asan
FUZZ_BUILD_DIR ?= build-fuzz
BENCH_BUILD_DIR ?= build-bench
FUZZ_TIME ?= 60
FUZZ_TARGETS ?= database text ergane quizapp settings anki delimited
PREFIX ?= /usr/local

.PHONY: all deps configure build test test-asan fuzz bench run install package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j$$(nproc)
	@echo "Screenshots of the editor: $(BUILD_DIR)/screenshots"

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer (g++'s own, no extra
# package). Leaks are reported except inside the third-party libraries named in
# tests/lsan.supp.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DVESK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" $(CMAKE_FLAGS)
	@cmake --build $(ASAN_BUILD_DIR)
	@cd $(ASAN_BUILD_DIR) && \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j$$(nproc)

# Each libFuzzer program for FUZZ_TIME seconds (clang; its packages are installed here only).
fuzz:
	@scripts/install-deps fuzz
	@cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja -DVESK_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
	@cmake --build $(FUZZ_BUILD_DIR) --target fuzz-programs
	@fuzz/run-fuzz $(FUZZ_BUILD_DIR) $(FUZZ_TIME) $(FUZZ_TARGETS)

# The benchmarks at the limits beside their peers, in a release build; one table at the end.
bench:
	@scripts/install-deps bench
	@cmake -S . -B $(BENCH_BUILD_DIR) -G Ninja -DVESK_BENCH=ON -DCMAKE_BUILD_TYPE=Release
	@cmake --build $(BENCH_BUILD_DIR) --target vesk-bench-core vesk-bench-panes vesk-bench-first \
		vesk-bench-fixtures vesk-peer-copy vesk-peak-memory vesk
	@python3 bench/run_benchmarks.py $(BENCH_BUILD_DIR)/bench bench $(BENCH_FLAGS)

run: build
	@$(BUILD_DIR)/vesk-builder

# The programs, their shared files and the desktop's files under PREFIX (below DESTDIR).
install: build
	@DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A .deb of the same tree under /usr, in $(BUILD_DIR).
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

clean:
	@rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(FUZZ_BUILD_DIR) $(BENCH_BUILD_DIR)
