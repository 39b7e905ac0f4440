# SPDX-License-Identifier: GPL-3.0-or-later
# make run | make test | make soak | make bench | make screenshots | make docs | make fuzz
# make install | make uninstall | make package | make deps | make clean
BUILD_DIR    ?= build
RELEASE_DIR  ?= build-release
BENCH_DIR    ?= build-bench
FUZZ_DIR     ?= build-fuzz
BUILD_TYPE   ?= RelWithDebInfo
JOBS         ?= $(shell nproc)
FUZZ_SECONDS ?= 60
RUNS         ?= 30
LOAD         ?=
CMAKE_FLAGS  ?=
PREFIX       ?= /usr/local

# The program and its help file: all that `make run` builds.
PROGRAM_TARGETS := kvarzel kvarzel_help_file
CONFIGURE = cmake -S . -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

.PHONY: all deps configure configure-tests build run test soak bench screenshots docs fuzz install \
	uninstall package clean

all: build

deps:
	@scripts/install-deps.sh --test

# The build folder is shared by run and test: `make run` configures it without
# the tests when it makes it, `make test` turns them on when they are off.
$(BUILD_DIR)/CMakeCache.txt:
	$(CONFIGURE) -B $(BUILD_DIR) -DKVARZEL_TESTS=OFF

configure-tests:
	@grep -qs '^KVARZEL_TESTS:BOOL=ON' $(BUILD_DIR)/CMakeCache.txt || \
		$(CONFIGURE) -B $(BUILD_DIR) -DKVARZEL_TESTS=ON

configure: configure-tests

build: configure-tests
	cmake --build $(BUILD_DIR) -j $(JOBS)

run:
	@scripts/install-deps.sh --run
	$(MAKE) $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS) --target $(PROGRAM_TARGETS)
	$(BUILD_DIR)/kvarzel

test: deps build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# `make soak RUNS=30 [LOAD=1]`: the whole suite RUNS times in a row.
soak: deps build
	scripts/soak.sh $(BUILD_DIR) $(RUNS) $(if $(LOAD),--load)

bench:
	@scripts/install-deps.sh --bench
	$(CONFIGURE) -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DKVARZEL_TESTS=OFF -DKVARZEL_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS) --target kvarzel_benchmarks
	cd $(BENCH_DIR) && for program in bench/bench_*; do \
		[ -f "$$program" ] && [ -x "$$program" ] || continue; \
		QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$$program" || exit 1; \
	done

screenshots: deps configure-tests
	cmake --build $(BUILD_DIR) -j $(JOBS) --target kvarzel_screenshots
	QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy $(if $(SCALE),QT_SCALE_FACTOR=$(SCALE)) \
		$(BUILD_DIR)/kvarzel_screenshots $(BUILD_DIR)/screenshots

# The README's pictures, written into docs/ from the screenshots.
docs: screenshots
	scripts/docs-pictures.sh $(BUILD_DIR)/screenshots docs

fuzz:
	@scripts/install-deps.sh --fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVARZEL_FUZZ=ON \
		-DKVARZEL_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target kvarzel_fuzz_targets
	cd $(FUZZ_DIR) && for target in fuzz/fuzz_*; do \
		[ -f "$$target" ] && [ -x "$$target" ] || continue; \
		mkdir -p "$$target.work" && \
		"$$target" -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix="$$target-" \
			"$$target.work" "$$(cat "$$target.corpus")" || exit 1; \
	done

# Install and package build the program alone, in a folder of their own.
BUILD_RELEASE = $(CONFIGURE) -B $(RELEASE_DIR) -DKVARZEL_TESTS=OFF && \
	cmake --build $(RELEASE_DIR) -j $(JOBS)

install:
	@scripts/install-deps.sh --run
	$(BUILD_RELEASE)
	scripts/install-tree.sh install $(RELEASE_DIR) $(PREFIX)

# Reads what to remove from the installed tree: the build folder may be gone.
uninstall:
	scripts/install-tree.sh uninstall $(PREFIX)

package:
	@scripts/install-deps.sh --package
	$(BUILD_RELEASE)
	cd $(RELEASE_DIR) && cpack

clean:
	rm -rf $(BUILD_DIR) $(RELEASE_DIR) $(BENCH_DIR) $(FUZZ_DIR)
