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
	@echo "Screenshots of the editor: $(BUILD_DIR)/screenshots"

run: build
	@$(BUILD_DIR)/vesk-builder

clean:
	@rm -rf $(BUILD_DIR)
