BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
# Under a minute in all on two cores.
FUZZ_RUNS ?= tree_readers:30000 full_path:15000
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all bootstrap build run gallery test package bench asan fuzz format clean

all: build

bootstrap:
	@scripts/bootstrap

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: bootstrap $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-penlark $(BUILD)

gallery: build
	@scripts/run-gallery $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

# A Debian package in $(BUILD)/.
package: build
	cmake --build $(BUILD) --target package

bench:
	@scripts/bootstrap --bench
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	$(BUILD)/bin/penlark_bench
	scripts/compare-converters $(BUILD)/bin/penlark-convert

asan: bootstrap
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DPENLARK_SANITIZE=ON -DPENLARK_BUILD_BENCH=OFF \
	  $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 600

# The fuzz targets under AddressSanitizer, a fixed number of runs each over the seed corpus.
fuzz:
	@scripts/bootstrap --fuzz
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DPENLARK_FUZZ=ON -DPENLARK_SANITIZE=ON -DPENLARK_BUILD_TESTS=OFF -DPENLARK_BUILD_BENCH=OFF \
	  $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_tree_readers fuzz_full_path
	scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_RUNS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
