#!/usr/bin/env bash
# Prints the longest frame while the plug-in saves (LongestFrame.cpp), with
# every flush to the disk as fast as the disk makes it and slowed by each
# DELAY milliseconds (libslow_flush.so, SlowFlush.cpp).
#
# Usage: longest-frame.sh BUILD_DIR [--module MODULE] [--minutes N] [DELAY...]   (delays 0 20)
set -euo pipefail

build="${1:?usage: longest-frame.sh BUILD_DIR [--module MODULE] [--minutes N] [DELAY...]}"
shift
module=()
minutes=3
delays=()
while [ $# -gt 0 ]; do
    case "$1" in
        --module) module=("${2:?--module needs a path}"); shift ;;
        --minutes) minutes="${2:?--minutes needs a number}"; shift ;;
        *) delays+=("$1") ;;
    esac
    shift
done
[ ${#delays[@]} -gt 0 ] || delays=(0 20)

program="$build/tools/bench/longest_frame"
library="$build/tools/bench/libslow_flush.so"
for file in "$program" "$library"; do
    [ -e "$file" ] || { echo "no $file: build the longest_frame and slow_flush targets first" >&2; exit 2; }
done
[ ${#module[@]} -eq 0 ] || module+=("$minutes")
[ ${#module[@]} -gt 0 ] || module=("$build/dist/SkyPlacer/64/lin.xpl" "$minutes")

for delay in "${delays[@]}"; do
    echo "Each flush slowed by $delay ms: ${module[0]}"
    LD_PRELOAD="$library" SKYPLACER_FLUSH_DELAY_MS="$delay" "$program" "${module[@]}"
done
