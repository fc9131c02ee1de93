# The two everyday commands (see README.md):
#   make run   builds the release plug-in and plays the demo scenario on the stand-in simulator
#   make test  builds everything (Windows, release, debug, sanitizers) and runs the whole test suite
# Both install missing Debian packages first when run as root, and say what to
# install otherwise. The builds themselves are the presets in CMakePresets.json.

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c

# What `make run` needs (rsvg-convert turns the player's SVG pictures into PNG),
# and what `make test` needs on top of it.
RUN_PACKAGES := cmake make g++ libgtest-dev librsvg2-bin
TEST_PACKAGES := $(RUN_PACKAGES) g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 clang-format

PLAYER := build/release/tools/player/skyplacer-player
SCENARIO := scenarios/demo.scn

.PHONY: bench run test deps-run deps-test release debug sanitize windows format clean
# The steps of run and test build on each other: keep them in order under -j.
.NOTPARALLEL:

# Configures and builds one preset of CMakePresets.json.
build = cmake --preset $(1) && cmake --build --preset $(1)
# Runs one preset's tests; win.xpl is built by then, so its table check must not skip.
check = SKYPLACER_REQUIRE_WIN_MODULE=1 ctest --preset $(1)

# Builds just the player and what it plays: the release lin.xpl in dist/ and the
# stand-in. The pictures land in build/release/pictures/demo/.
run: deps-run
	cmake --preset release
	cmake --build --preset release --target skyplacer-player
	$(PLAYER) $(SCENARIO)

# Windows first: the debug suite checks win.xpl's tables along with lin.xpl's.
# The release module completes dist/SkyPlacer; the tests use their own builds'.
test: deps-test windows release debug
	$(call check,debug)
	$(call build,sanitize)
	$(call check,sanitize)

debug sanitize:
	$(call build,$@)

# Leaves dist/SkyPlacer/64/lin.xpl and dist/SkyPlacer/SkyPlacer.ini.
release:
	cmake --preset release
	cmake --build --preset release --target skyplacer_module

# Leaves dist/SkyPlacer/64/win.xpl.
windows:
	$(call build,mingw)

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

deps-test:
	$(call ensure_packages,$(TEST_PACKAGES))

# Times the placement flight loop's idle call, data display refresh and placement.
bench: deps-run
	$(call ensure_packages,libbenchmark-dev)
	cmake --preset release
	cmake --build --preset release --target flight_loop_benchmark
	build/release/tests/flight_loop_benchmark

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build dist
