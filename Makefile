# Entry points for people and CI. `make run` installs what is missing, builds and starts krondel;
# `make test` does the same set-up and runs the whole suite: plain, under the sanitizers, and the fuzzer.
BUILD_DIR ?= build
ASAN_DIR  ?= build-asan
FUZZ_DIR  ?= build-fuzz
JOBS      ?= $(shell nproc)
FUZZ_SECONDS ?= 30

.PHONY: all deps build run test test-plain test-sanitize fuzz bench install clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/krondel ]; then ./$(BUILD_DIR)/krondel; else ./$(BUILD_DIR)/vrtinela2D; fi

test: test-plain test-sanitize fuzz

test-plain: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DPERCOLATION_SANITIZE=ON
	cmake --build $(ASAN_DIR) -j $(JOBS)
	ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

fuzz: deps
	@echo "(no fuzz targets yet)"

bench: build
	./$(BUILD_DIR)/tests/console/console_benchmark
	tests/console/time_full_run.sh $(BUILD_DIR)/vrtinela2D

install: build
	cmake --install $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
