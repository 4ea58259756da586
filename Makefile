# Wraps CMake (Ninja). `make test` and `make run` install what is missing first.
BUILD_DIR ?= build
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD_DIR)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j$$(nproc)

run: build
	@echo "The editor window (vesk-builder) is not built yet: only the core library and its tests exist so far."

clean:
	@rm -rf $(BUILD_DIR)
