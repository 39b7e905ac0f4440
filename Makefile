# make run | make test | make bench | make screenshots | make fuzz | make install | make package
# make deps | make clean
BUILD_DIR   ?= build
BENCH_DIR   ?= build-bench
FUZZ_DIR    ?= build-fuzz
BUILD_TYPE  ?= RelWithDebInfo
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=
PREFIX      ?= /usr/local

.PHONY: all deps configure build run test bench screenshots fuzz install package clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

configure: $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: deps build
	@if [ -x $(BUILD_DIR)/kvarzel ]; then $(BUILD_DIR)/kvarzel; \
	else echo "kvarzel: the core is built; there is no window to show yet."; fi

test: deps build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench:
	@scripts/install-deps.sh --bench
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DKVARZEL_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target kvarzel_benchmarks
	cd $(BENCH_DIR) && for program in bench/bench_*; do \
		[ -f "$$program" ] && [ -x "$$program" ] || continue; \
		QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$$program" || exit 1; \
	done

screenshots: deps build
	@if [ -x $(BUILD_DIR)/kvarzel_screenshots ]; then \
		QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy $(if $(SCALE),QT_SCALE_FACTOR=$(SCALE)) \
			$(BUILD_DIR)/kvarzel_screenshots $(BUILD_DIR)/screenshots; \
	else echo "screenshots: there is no window to render yet."; fi

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVARZEL_FUZZ=ON -DKVARZEL_GUI=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target kvarzel_fuzz_targets
	cd $(FUZZ_DIR) && for target in fuzz/fuzz_*; do \
		[ -f "$$target" ] && [ -x "$$target" ] || continue; \
		mkdir -p "$$target.work" && \
		"$$target" -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix="$$target-" \
			"$$target.work" "$$(cat "$$target.corpus")" || exit 1; \
	done

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

package: build
	cd $(BUILD_DIR) && cpack

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(FUZZ_DIR)
