BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
# About a minute and a half in all on two cores (the build checked, the targets run).
FUZZ_RUNS ?= tree_readers:30000 full_path:15000 shell_link:100000 version_resource:60000 \
  archive:40000 property_bag_text:60000 registry_values:10000 form_recognition:100000 \
  charset_engine:10000
JOBS ?= $(shell nproc)
# 0 leaves tests/ out of check-tidy.
TIDY_TESTS ?= 1
CMAKE_FLAGS ?=

.PHONY: all bootstrap build run gallery test package bench asan fuzz format check-format check-tidy clean

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
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(foreach job,$(FUZZ_RUNS),fuzz_$(firstword $(subst :, ,$(job))))
	scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_RUNS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

# Every source file as .clang-format lays it out; changes nothing.
check-format:
	@scripts/bootstrap --lint
	scripts/check-format

# clang-tidy (.clang-tidy) over our sources in the build's compile database, in parallel;
# changes nothing. Reuses the build, which must be there for the generated headers.
check-tidy: build
	@scripts/bootstrap --lint
	TIDY_TESTS=$(TIDY_TESTS) scripts/check-tidy $(BUILD) $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
