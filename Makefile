# The everyday commands (see README.md):
#   make run   builds the release plug-in and plays the demo scenario on the stand-in simulator
#   make test  builds everything (Windows, macOS, release, debug, sanitizers), runs the whole test suite
#              (the tests that save, load and stop under ThreadSanitizer too)
#              (the Windows module's under wine too), the static checks, the instruction budgets
#              and a short fuzzing run
#   make dist  builds the three modules and packs the release archive dist/SkyPlacer-<version>.zip;
#              lin.xpl is built in a Debian 11 root (tools/linux-root/), which a user who is
#              not root makes and enters in user namespaces of their own
# All install missing Debian packages first when run as root, and say what to
# install otherwise. The builds themselves are the presets in CMakePresets.json.
# `make mutants` (not part of make test) measures what the suite catches.

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c

# What `make run` needs (fast_float's headers read numbers in the plug-in;
# rsvg-convert turns the player's SVG pictures into PNG;
# the stand-in switches callgrind with valgrind's header), what `make dist`
# needs on top of it (the Windows build), and what `make test` needs on top of
# that (the Windows tests: MinGW-w64 with its POSIX thread model, GoogleTest's
# sources and wine to run them; the lint; unzip unpacks the archive as a pilot would).
# mmdebstrap makes the Debian 11 root the release lin.xpl is built in; a user
# who is not root needs newuidmap and newgidmap (uidmap) for that.
# The Mac module's: LLVM's Mach-O linker, lipo and object tools (Zig, which
# compiles it, comes from npm: tools/mac/zig-path.sh; npm itself from Debian
# where it is missing).
MAC_PACKAGES := lld-16 llvm python3
RUN_PACKAGES := cmake make g++ libgtest-dev libfast-float-dev librsvg2-bin valgrind
DIST_PACKAGES := $(RUN_PACKAGES) g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mmdebstrap uidmap
TEST_PACKAGES := $(DIST_PACKAGES) g++-mingw-w64-x86-64-posix googletest wine64 \
                 clang-format clang-tidy cppcheck clang libclang-rt-14-dev unzip

# Seconds each fuzz target runs: `make fuzz FUZZ_SECONDS=3600` for a long run;
# make test runs each for SMOKE_FUZZ_SECONDS.
FUZZ_SECONDS ?= 300
SMOKE_FUZZ_SECONDS := 20

# How many faults make mutants plants, and which: the same seed draws the same faults.
MUTANTS ?= 200
SEED ?= 1

PLAYER := build/release/tools/player/skyplacer-player
SCENARIO := scenarios/demo.scn

.PHONY: soak bench budgets suite-size dist fuzz lint mutants run test test-windows deps-run deps-dist deps-test release debug sanitize tsan windows format clean
.PHONY: linux-root linux-root-access release-linux test-release-linux
# The steps of run and test build on each other: keep them in order under -j.
.NOTPARALLEL:
.PHONY: mac test-zig-linux deps-mac

# Configures and builds one preset of CMakePresets.json.
build = cmake --preset $(1) && cmake --build --preset $(1)
# Runs one preset's tests; win.xpl and the archive are built by then, so their checks must not skip.
check = SKYPLACER_REQUIRE_WIN_MODULE=1 SKYPLACER_REQUIRE_MAC_MODULE=1 SKYPLACER_REQUIRE_ARCHIVE=1 ctest --preset $(1)

# Builds just the player and what it plays: this machine's release build of
# lin.xpl (not the one make dist ships, which is built on Debian 11) and the
# stand-in. The pictures land in build/release/pictures/demo/.
run: deps-run
	cmake --preset release
	cmake --build --preset release --target skyplacer-player
	@echo "Playing build/release's lin.xpl, built with this machine's compiler (make dist builds the shipped one)"
	$(PLAYER) $(SCENARIO)

# Windows first: the debug suite checks win.xpl's tables along with lin.xpl's.
# The Debian 11 build completes dist/SkyPlacer and packs the archive for its
# test, and flies its lin.xpl there; the other Linux tests use their own
# builds' modules (the Mac's code built for Linux among them), the Windows
# tests the win.xpl of dist/SkyPlacer, the debug suite checks the C library
# needs of the shipped lin.xpl.
test: deps-test linux-root-access lint windows test-windows dist test-release-linux test-zig-linux debug
	$(call check,debug)
	$(call build,sanitize)
	$(call check,sanitize)
	$(call build,tsan)
	ctest --preset tsan
	$(MAKE) --no-print-directory budgets
	$(call build,fuzz)
	tests/fuzz/run-fuzzers.sh build/fuzz $(SMOKE_FUZZ_SECONDS)

# clang-tidy and cppcheck over src/, sim/ and tools/, with the checked-in configuration.
lint: deps-test
	cmake --preset debug
	tools/lint/run-lint.sh build/debug

# The file readers and the decimal writers under libFuzzer; findings land in
# build/fuzz/findings/<target>/, each target's output in build/fuzz/fuzz-logs/.
fuzz: deps-test
	$(call build,fuzz)
	tests/fuzz/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS)

# The random pilot on the sanitizer build: SOAK_STEPS steps on a random seed,
# printed first; a failure prints the steps that led there and a shrunk list.
SOAK_STEPS ?= 1000000
soak: deps-run
	$(call build,sanitize)
	build/sanitize/tools/pilot/skyplacer-pilot --steps $(SOAK_STEPS)

# Instruction counts of the shipped lin.xpl (built on Debian 11) under
# callgrind, checked against their budgets.
budgets: deps-test release-linux
	cmake --preset release
	cmake --build --preset release --target instruction_counts
	tools/bench/instruction-counts.sh build/release --check --module dist/SkyPlacer/64/lin.xpl

# Faults planted one at a time in a copy of the tree (build/mutants/tree), each
# rebuilt and run against the debug suite, and one it misses against the
# sanitizer build's; the tree itself is only read. The missed faults land in
# build/mutants/missed.txt.
mutants: deps-test
	$(if $(shell command -v python3),,$(call ensure_packages,python3))
	tools/mutants/mutants.py --count $(MUTANTS) --seed $(SEED)

debug sanitize tsan:
	$(call build,$@)

# This machine's optimised lin.xpl, in build/release/dist/SkyPlacer.
release:
	cmake --preset release
	cmake --build --preset release --target skyplacer_module

# Leaves dist/SkyPlacer/64/win.xpl.
windows:
	$(call build,mingw)

# Whether this user can make and enter the Debian 11 root, said in the first
# seconds of make test and make dist rather than after the other builds.
linux-root-access: deps-dist
	tools/linux-root/check-access.sh

# The Debian 11 root (made once, kept in /var/cache/skyplacer for root and in
# ~/.cache/skyplacer for any other user).
linux-root: deps-dist
	tools/linux-root/make-root.sh

# Leaves dist/SkyPlacer/64/lin.xpl and dist/SkyPlacer/SkyPlacer.ini, built in
# the Debian 11 root so that the module loads on glibc 2.31 and later.
release-linux: linux-root
	tools/linux-root/run-in-root.sh tools/linux-root/release-build.sh skyplacer_module

# dist/SkyPlacer-<version>.zip: the three modules, SkyPlacer.ini and README.txt, made
# from docs/pilots-guide.md; the version is the CMake project's.
dist: deps-dist linux-root-access windows mac linux-root
	tools/linux-root/run-in-root.sh tools/linux-root/release-build.sh skyplacer_archive

# The end-to-end tests and the scenarios in the Debian 11 root, against the
# lin.xpl of dist/SkyPlacer.
test-release-linux: release-linux
	tools/linux-root/run-in-root.sh tools/linux-root/release-suite.sh

# Leaves dist/SkyPlacer/64/mac.xpl: both halves cross-built with Zig (in
# build/mac-x86_64 and build/mac-aarch64) and joined.
mac: deps-mac
	tools/mac/build-mac.sh dist/SkyPlacer

# The Mac's code built by Zig as a Linux module (build/zig-linux-module), and
# the end-to-end and crash tests and every scenario, host-built, run against it.
test-zig-linux: deps-mac
	tools/mac/build-with-zig.sh build/zig-linux-module x86_64-linux-gnu.2.31
	$(call build,zig-linux)
	ctest --preset zig-linux

# The end-to-end suite and every scenario against dist/SkyPlacer/64/win.xpl,
# as Windows programs under wine (tests/windows).
test-windows: deps-test windows
	$(call build,mingw-tests)
	ctest --preset mingw-tests

# Installs the packages named in $(1) that are not installed yet; a machine
# that has them all runs no apt-get at all.
define ensure_packages
	@missing=""; \
	if ! command -v dpkg >/dev/null; then \
	    echo "No dpkg here: make sure these are installed: $(1)" >&2; exit 0; \
	fi; \
	for package in $(1); do \
	    dpkg -s "$$package" 2>/dev/null | grep -q '^Status: install ok installed' || missing="$$missing $$package"; \
	done; \
	if [ -z "$$missing" ]; then exit 0; fi; \
	if [ "$$(id -u)" -eq 0 ]; then \
	    echo "Installing:$$missing"; \
	    export DEBIAN_FRONTEND=noninteractive; \
	    apt-get update -q; \
	    apt-get install -y -q --no-install-recommends $$missing; \
	else \
	    echo "SkyPlacer needs these Debian packages, which are not installed:$$missing" >&2; \
	    echo "Install them with:  sudo apt-get install$$missing" >&2; \
	    exit 1; \
	fi
endef

deps-run:
	$(call ensure_packages,$(RUN_PACKAGES))

deps-dist:
	$(call ensure_packages,$(DIST_PACKAGES))

deps-test:
	$(call ensure_packages,$(TEST_PACKAGES))

deps-mac:
	$(call ensure_packages,$(MAC_PACKAGES))
	$(if $(shell command -v npm),,$(call ensure_packages,npm))

# Times the plug-in's own work on the stand-in and counts its instructions;
# prints one table.
bench: deps-test
	$(call ensure_packages,libbenchmark-dev)
	cmake --preset release
	cmake --build --preset release
	tools/bench/run-benchmarks.sh build/release

# How many tests and scenarios the debug suite runs, and its lines of test
# code against the plug-in's (docs/measurements.md).
suite-size:
	$(call build,debug)
	tools/suite/suite-size.sh build/debug

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build dist
