# The everyday commands: `make` builds, `make test` runs every test, `make run` starts the magnifier.
# The build itself is CMake (see CMakePresets.json).
.PHONY: all native native-release windows test format unit e2e run bench bench-program fuzz deps clean

all: native windows

deps:
	@scripts/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j2

# The same core and tests optimised as the program is (-O2), sanitizers still on: a pixel a
# paint never writes, or code the optimiser may change, shows there and not in Debug.
native-release: deps
	cmake --preset native-release >/dev/null
	cmake --build --preset native-release -j2

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j2

# Both builds run even when the first fails, so one run reports both.
unit: native native-release
	@status=0; ctest --preset native -j2 || status=1; ctest --preset native-release -j2 || status=1; exit $$status

# The real glimmerlux.exe under Wine on a private X display (scripts/with-display.sh).
e2e: windows
	ctest --test-dir build/windows/tests/e2e --output-on-failure

# -k: a failing unit test does not hold back the end-to-end tests; one run reports both.
test:
	@$(MAKE) --no-print-directory -k format unit e2e

# Every C++ file as .clang-format lays it out; `clang-format -i` on a file mends it.
format: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror && echo "clang-format: clean"

run: windows
	@scripts/run.sh

# Our pipeline against memcpy, libyuv and pixman, ending in a table of ratios (bench/README.md).
bench:
	@scripts/install-deps.sh bench
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j2 --target glimmerlux_bench
	build/bench/bench/glimmerlux_bench

# glimmerlux.exe under Wine against xzoom: CPU, memory and GDI objects (bench/README.md).
bench-program: windows
	@scripts/install-deps.sh bench
	bench/program-cpu.sh build/windows

# The version-file parser under libFuzzer for FUZZ_SECONDS (60), from tests/fuzz/corpus.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps.sh fuzz
	CXX=clang++ cmake -S tests/fuzz -B build/fuzz >/dev/null
	cmake --build build/fuzz -j2
	mkdir -p build/fuzz/corpus
	build/fuzz/version_file_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 build/fuzz/corpus tests/fuzz/corpus

clean:
	rm -rf build
