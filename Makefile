# The everyday commands: `make` builds, `make test` runs every test, `make run` starts the magnifier.
# The build itself is CMake (see CMakePresets.json).
.PHONY: all native windows test format unit e2e run bench bench-program deps clean dist

all: native windows

deps:
	@scripts/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j2

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j2

# The release in build/windows/dist/: portable zip, per-user MSI, SHA256SUMS, winget manifest.
dist: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j2 --target dist
	@cd build/windows/dist && sha256sum -c SHA256SUMS

unit: native
	ctest --preset native -j2

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

clean:
	rm -rf build
