# Entry points for people and CI. `make run` installs what is missing, builds and starts krondel;
# `make test` does the same set-up and runs the whole suite: the fuzzer, the web page's build, then
# plain (the page in a browser too), then under the sanitizers. `make web` builds the page alone.
BUILD_DIR ?= build
ASAN_DIR  ?= build-asan
FUZZ_DIR  ?= build-fuzz
WEB_DIR   ?= build-web
JOBS      ?= $(shell nproc)
FUZZ_SECONDS ?= 30

.PHONY: all deps configure build programs run web test test-plain test-sanitize fuzz bench install clean

# Debian's Emscripten runs its JavaScript optimizer on node, which must find Debian's acorn; a node
# not built by Debian does not look in Debian's folder of node modules.
export NODE_PATH := /usr/share/nodejs$(if $(NODE_PATH),:$(NODE_PATH))

all: build

deps:
	@INSTALL_LOG=$(abspath $(BUILD_DIR))/logs/install-deps.log scripts/install-deps.sh

# The plain build is a Release build: what packagers and cpack compile is what the suite tests.
configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the programs (their data is read from the source tree), not the tests.
programs: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target krondel vrtinela2D

run: programs
	./$(BUILD_DIR)/krondel

# The fuzzer runs first so that the suite's own summary closes the output. Every step prints one line
# (the suites their summaries) and keeps its full output in a log file in its build folder; a failing
# step shows the part of its log that says why.
QUIETLY = @scripts/quietly.sh

# krondel as a static web page in $(WEB_DIR)/web, built with Debian's Emscripten.
web: deps
	$(QUIETLY) "Web configure" $(WEB_DIR)/logs/configure.log emcmake cmake -S . -B $(WEB_DIR) -DCMAKE_BUILD_TYPE=Release
	$(QUIETLY) "Web build" $(WEB_DIR)/logs/build.log cmake --build $(WEB_DIR) -j $(JOBS)

# The web page first: the plain suite tests it in a browser against the desktop program.
test: fuzz web test-plain test-sanitize

test-plain: deps
	$(QUIETLY) "Release configure" $(BUILD_DIR)/logs/configure.log cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release \
		-DPERCOLATION_WEB_FOLDER=$(abspath $(WEB_DIR))/web
	$(QUIETLY) "Release build" $(BUILD_DIR)/logs/build.log cmake --build $(BUILD_DIR) -j $(JOBS)
	$(QUIETLY) "Release tests" $(BUILD_DIR)/logs/ctest.log ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-sanitize: deps
	$(QUIETLY) "Sanitizer configure" $(ASAN_DIR)/logs/configure.log cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DPERCOLATION_SANITIZE=ON
	$(QUIETLY) "Sanitizer build" $(ASAN_DIR)/logs/build.log cmake --build $(ASAN_DIR) -j $(JOBS)
	$(QUIETLY) "Sanitizer tests" $(ASAN_DIR)/logs/ctest.log ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

# A clang build of its own (libFuzzer comes with clang); only the fuzz target is built. The run prints
# one summary line; its full log stays in the fuzz build folder.
fuzz: deps
	$(QUIETLY) "Fuzzer configure" $(FUZZ_DIR)/logs/configure.log cmake -S . -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPERCOLATION_FUZZ=ON
	$(QUIETLY) "Fuzzer build" $(FUZZ_DIR)/logs/build.log cmake --build $(FUZZ_DIR) -j $(JOBS) --target font_loader_fuzz
	@tests/gfx/run_fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: build web
	./$(BUILD_DIR)/tests/console/console_benchmark
	./$(BUILD_DIR)/tests/console/kernel_agreement_check
	tests/console/time_full_run.sh $(BUILD_DIR)/vrtinela2D
	tests/e2e/measure_krondel_cpu.sh $(BUILD_DIR)/krondel 10
	./$(BUILD_DIR)/tests/app/lattice_benchmark --benchmark_color=false
	./$(BUILD_DIR)/tests/prag/prag_benchmark --benchmark_color=false
	tests/prag/time_prag_runs.sh $(BUILD_DIR)/prag
	tests/web/web_page_test.py --first-frame $(WEB_DIR)/web

install: build
	cmake --install $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR) $(WEB_DIR)
