#!/usr/bin/env bash
# Builds mac.xpl: the x86_64 and arm64 halves, each linked by its own Zig
# build (build/mac-x86_64, build/mac-aarch64), joined into one universal file in
# PLUGIN_FOLDER/64. The joined file replaces the old one only when whole.
#
# Usage: build-mac.sh PLUGIN_FOLDER     e.g. dist/SkyPlacer
set -euo pipefail
folder=$1
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$here/../.." && pwd)/build

# The lowest macOS whose C++ library Zig 0.11 builds.
minimum=11.0
halves=()
for arch in x86_64 aarch64; do
    "$here/build-with-zig.sh" "$build/mac-$arch" "$arch-macos.$minimum"
    halves+=("$build/mac-$arch/mac.xpl")
done

mkdir -p "$folder/64"
llvm-lipo-14 -create "${halves[@]}" -output "$folder/64/mac.xpl.partial"
mv "$folder/64/mac.xpl.partial" "$folder/64/mac.xpl"
echo "Wrote $folder/64/mac.xpl"
