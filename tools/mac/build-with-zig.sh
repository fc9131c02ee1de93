#!/usr/bin/env bash
# Configures and builds the plug-in module alone with Zig for one target, in
# BUILD_DIR: the Mac's halves, and the Mac's code built for Linux.
#
# Usage: build-with-zig.sh BUILD_DIR ZIG_TARGET
# Zig's cache is SKYPLACER_CACHE/zig-global (default ~/.cache/skyplacer), out of the checkout.
set -euo pipefail
build=$1 target=$2
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
zig=$("$here/zig-path.sh")
cache=${SKYPLACER_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/skyplacer}/zig-global

cmake -S "$source" -B "$build" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$source/cmake/zig.cmake" -DSKYPLACER_ZIG="$zig" -DSKYPLACER_ZIG_TARGET="$target" \
    -DSKYPLACER_ZIG_CACHE="$cache" -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DSKYPLACER_TESTS=OFF -DSKYPLACER_DIST="$build/dist/SkyPlacer" >/dev/null
cmake --build "$build" --target skyplacer_module -j 2
