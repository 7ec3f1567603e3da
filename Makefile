# Thin driver over CMake. `make test` and `make demo` work on a fresh machine once make is
# there (scripts/install-deps.sh installs it with the rest): they install what is missing,
# configure and build first.
BUILD      ?= build
JOBS       ?= 2
WERROR     ?= OFF
CMAKE_ARGS ?=
BENCH_BUILD ?= build-bench
# Repeated and interleaved: the machine may be shared and sync times drift.
BENCH_ARGS ?= --benchmark_repetitions=3 --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true

.PHONY: all deps configure build test demo sanitize valgrind bench clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIVO_WERROR=$(WERROR) -DKIVO_BUILD_BENCH=ON $(CMAKE_ARGS)

configure: $(BUILD)/CMakeCache.txt
	@cmake -S . -B $(BUILD) -DKIVO_WERROR=$(WERROR) -DKIVO_BUILD_BENCH=ON $(CMAKE_ARGS) >/dev/null

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Builds the benchmarks too, so they keep compiling under the same warnings; ctest never runs them.
test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# Only the tool: the demo needs nothing else.
demo: configure
	cmake --build $(BUILD) -j$(JOBS) --target kivostore
	@rm -f $(BUILD)/demo.db $(BUILD)/demo.db-wal $(BUILD)/demo.db-shm
	$(BUILD)/tools/kivostore/kivostore demo $(BUILD)/demo.db

# Every test again under AddressSanitizer and UndefinedBehaviorSanitizer, in its own tree.
sanitize: deps
	cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIVO_SANITIZE=ON -DKIVO_WERROR=$(WERROR) $(CMAKE_ARGS) >/dev/null
	cmake --build $(BUILD)-sanitize -j$(JOBS)
	cd $(BUILD)-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j$(JOBS)

# The unit tests under valgrind's memcheck (slow: about ten minutes); any error or leak fails.
valgrind: build
	cd $(BUILD) && valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=all \
		--suppressions=$(CURDIR)/scripts/valgrind.supp --error-exitcode=9 ./tests/kivostore_tests

# Release build of the benchmarks alone; prints each side's time against raw SQLite.
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DKIVO_BUILD_BENCH=ON -DKIVO_BUILD_TESTS=OFF -DKIVO_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(BENCH_BUILD) -j$(JOBS) --target kivostore_bench
	$(BENCH_BUILD)/bench/kivostore_bench --benchmark_out=$(BENCH_BUILD)/bench.json --benchmark_out_format=json $(BENCH_ARGS)
	python3 scripts/bench-ratios.py $(BENCH_BUILD)/bench.json

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize $(BENCH_BUILD)
