#!/usr/bin/env bash
# Builds targets of the release build in build/bullseye with the Debian 11
# root's own compiler (gcc 10) and CMake (3.18); run inside the root
# (run-in-root.sh). Its lin.xpl is the one laid out in dist/SkyPlacer.
#
# CMake 3.18 knows neither the presets nor CMAKE_COMPILE_WARNING_AS_ERROR, so
# this passes the release preset's settings itself, warnings as errors
# included. Its FindGTest predates the GTest::gtest targets, which the
# config file GoogleTest installs does provide.
#
# Usage: release-build.sh TARGET...
set -euo pipefail
checkout=$(cd "$(dirname "$0")/../.." && pwd)
build=$checkout/build/bullseye

cmake -S "$checkout" -B "$build" -G "Unix Makefiles" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS=-Werror \
    -DCMAKE_FIND_PACKAGE_PREFER_CONFIG=ON \
    -DSKYPLACER_DIST="$checkout/dist/SkyPlacer"
for target in "$@"; do
    cmake --build "$build" --parallel 2 --target "$target"
done
