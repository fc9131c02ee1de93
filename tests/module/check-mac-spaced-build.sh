#!/usr/bin/env bash
# Shows that the Mac module builds from a checkout whose path holds a space and
# a quote: the x86_64 half, built by tools/mac/build-with-zig.sh from FOLDER/,
# where a link names this checkout, in place of the shipped module's own
# x86_64 half, passes check-mac-module.sh. The build stays in FOLDER for the
# next run.
#
# Usage: check-mac-spaced-build.sh MAC_MODULE FOLDER API_HEADER...
# Skips (exit 77) without mac.xpl or Zig, unless SKYPLACER_REQUIRE_MAC_MODULE=1.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/module-checks.sh"

module=$1 folder=$2
shift 2
if [ ! -f "$module" ] || ! "$here/../../tools/mac/zig-path.sh" --installed >/dev/null; then
    skip_unless_required "${SKYPLACER_REQUIRE_MAC_MODULE:-0}" \
        "no mac.xpl at $module, or no Zig (tools/mac/build-mac.sh builds both)"
fi

spaced=$folder/"Pilot's checkout"
mkdir -p "$folder"
ln -sfn "$(cd "$here/../.." && pwd)" "$spaced"
build=$folder/"build x86_64"
"$spaced/tools/mac/build-with-zig.sh" "$build" x86_64-macos.11.0 >"$folder/build.log" 2>&1 || {
    tail -n 20 "$folder/build.log" >&2
    echo "FAIL: the Mac module does not build from \"$spaced\" (whole log: $folder/build.log)" >&2
    exit 1
}
llvm-lipo-14 "$module" -replace x86_64 "$build/mac.xpl" -output "$folder/mac.xpl"
bash "$here/check-mac-module.sh" "$folder/mac.xpl" "$@"
