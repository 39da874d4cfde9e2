# The everyday commands: `make` builds, `make test` runs every test, `make run` starts the magnifier.
# The build itself is CMake (see CMakePresets.json).
.PHONY: all native native-release windows test format unit e2e fuzz fuzz-long soak soak-wine run bench bench-program deps clean dist

all: native windows

deps:
	@scripts/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j2

# The same core and tests optimised (-O2; the program itself is built -O3), sanitizers still on: a pixel a
# paint never writes, or code the optimiser may change, shows there and not in Debug.
native-release: deps
	cmake --preset native-release >/dev/null
	cmake --build --preset native-release -j2

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j2

# The release in build/windows/dist/: portable zip, per-user MSI, SHA256SUMS, winget manifest.
dist: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j2 --target dist
	@cd build/windows/dist && sha256sum -c SHA256SUMS

# Both builds run even when the first fails, so one run reports both. A run that finds no test
# fails (--no-tests=error): a build that left the tests out must not pass for one that ran them.
unit: native native-release
	@status=0; ctest --preset native -j2 --no-tests=error || status=1; \
	ctest --preset native-release -j2 --no-tests=error || status=1; exit $$status

# The real glimmerlux.exe under Wine on a private X display (scripts/with-display.sh).
e2e: windows
	ctest --test-dir build/windows/tests/e2e --output-on-failure --no-tests=error

# -k: a failing unit test does not hold back the end-to-end tests; one run reports both.
test:
	@$(MAKE) --no-print-directory -k format unit e2e fuzz

# Every libFuzzer target (tests/fuzz/) under the sanitizers: about a minute in all here, as long
# as FUZZ_SECONDS says in fuzz-long (RELIABILITY.md keeps the figures).
fuzz: deps
	@scripts/fuzz.sh 60

FUZZ_SECONDS ?= 3600
fuzz-long: deps
	nice -n 19 scripts/fuzz.sh $(FUZZ_SECONDS)

# 100,000 frames through the real core with options and sizes changing; fails on any growth.
# `make test` runs the same soak over 1,700 frames.
SOAK_FRAMES ?= 100000
soak: native
	GLIMMERLUX_SOAK_FRAMES=$(SOAK_FRAMES) build/native/unit_tests --gtest_filter='Soak.*'

# The real glimmerlux.exe under Wine for as many frames, its GDI objects counted in its handle table.
soak-wine: windows
	SOAK_FRAMES=$(SOAK_FRAMES) scripts/soak-wine.sh build/windows

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

clean:
	rm -rf build
