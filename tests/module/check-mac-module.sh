#!/usr/bin/env bash
# Checks mac.xpl as far as it can be without a Mac: one universal file with the
# x86_64 and arm64 halves, each a bundle for macOS 11.0 or earlier that exports
# exactly the five entry points, keeps no local or debugging symbol, loads no
# library but libSystem, and, as its bind tables tell the loader, binds to
# libSystem only what libSystem offers (by Zig's stubs of macOS 11) and leaves
# to be looked up by name in the simulator's process exactly the simulator's
# and OpenGL's functions (those our API headers declare), nothing else: its
# allocator and runtime helpers are its own. The arm64 half's ad-hoc signature
# holds, its page hashes computed again.
#
# Usage: check-mac-module.sh MODULE API_HEADER...
# Skips (exit 77) without the module or Zig, unless SKYPLACER_REQUIRE_MAC_MODULE=1.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/module-checks.sh"

module=$1
shift
minimum=11.0
system=/usr/lib/libSystem.B.dylib

skip() { skip_unless_required "${SKYPLACER_REQUIRE_MAC_MODULE:-0}" "$*"; }
[ -f "$module" ] || skip "no mac.xpl at $module (tools/mac/build-mac.sh builds it)"
zig=$("$here/../../tools/mac/zig-path.sh" --installed) || skip "Zig is not installed (tools/mac/zig-path.sh installs it)"
stubs=$(dirname "$zig")/lib/libc/darwin/libSystem.${minimum%%.*}.tbd

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

archs=$(llvm-lipo-14 -archs "$module" 2>/dev/null) || { fail "$module is not a Mach-O file"; finish "mac.xpl"; }
expect_same "architectures" "$(words "arm64 x86_64")" "$(words "$archs")"
[ "$(llvm-objdump --macho --universal-headers "$module" | grep -c fat_magic)" -gt 0 ] ||
    fail "$module is not a universal file"

declared=$(declared_functions "$@" | sed 's/^/_/')
for arch in $archs; do
    half=$work/$arch
    llvm-lipo-14 -thin "$arch" "$module" -output "$half" 2>/dev/null || cp "$module" "$half"
    headers=$(llvm-objdump --macho --private-headers "$half")

    grep -qE '^MH_MAGIC_64 .* BUNDLE ' <<<"$headers" || fail "$arch: not a bundle"
    # LC_BUILD_VERSION's minos, or an older LC_VERSION_MIN_MACOSX's version.
    os=$(awk '/cmd LC_BUILD_VERSION/ { build = 1 } build && $1 == "minos" { print $2; exit }
              /cmd LC_VERSION_MIN_MACOSX/ { old = 1 } old && $1 == "version" { print $2; exit }' <<<"$headers")
    if [ -z "$os" ]; then
        fail "$arch: names no minimum macOS"
    elif [ "$(printf '%s\n' "$os" "$minimum" | sort -V | tail -n 1)" != "$minimum" ]; then
        fail "$arch: needs macOS $os, later than $minimum"
    fi

    libraries=$(awk '/cmd LC_(LOAD|LOAD_WEAK|REEXPORT|LAZY_LOAD|LOAD_UPWARD)_DYLIB/ { take = 1 }
                     take && $1 == "name" { print $2; take = 0 }' <<<"$headers")
    expect_same "$arch: libraries loaded" "$system" "$libraries"

    exports=$(llvm-nm --defined-only --extern-only -j "$half" | sed 's/^_//')
    expect_same "$arch: exports" "$(words "$ENTRY_POINTS")" "$exports"

    locals=$(llvm-nm -m "$half" | awk '/non-external/ { print $NF }')
    [ -z "$locals" ] || fail "$arch: keeps $(wc -l <<<"$locals") local symbols, such as $(head -n 1 <<<"$locals")"
    # The debugger's map (stabs, type "-"): source and object files by their paths on the build machine.
    stabs=$(llvm-nm -a "$half" | awk '$2 == "-" { print $5, $6 }')
    [ -z "$stabs" ] || fail "$arch: keeps $(wc -l <<<"$stabs") debugging symbols, such as $(grep -m1 '/' <<<"$stabs" || head -n 1 <<<"$stabs")"

    # The names the loader binds, as it will: each to libSystem, or looked up
    # by name in the whole process, which only the simulator's and OpenGL's may be.
    grep -qE '^MH_MAGIC_64 .* TWOLEVEL' <<<"$headers" ||
        fail "$arch: not a two-level namespace module: the loader would look up every name it binds by name"
    grep -q 'cmd LC_DYLD_CHAINED_FIXUPS' <<<"$headers" && fail "$arch: binds by chained fixups, which this check cannot read"
    grep -q 'cmd LC_DYLD_INFO_ONLY' <<<"$headers" || fail "$arch: has no bind tables (LC_DYLD_INFO_ONLY)"
    python3 "$here/tbd-symbols.py" "$stubs" "$arch-macos" >"$work/system-$arch"
    simulator=""
    while read -r table dylib symbol; do
        if [ "$table" = weak ]; then
            fail "$arch: looks ${symbol#_} up by name in the whole process (weak bind)"
        elif [ "$dylib" = flat-namespace ] && grep -qxF -- "$symbol" <<<"$declared"; then
            simulator+="$symbol"$'\n'
        elif [ "$dylib" = flat-namespace ]; then
            fail "$arch: looks ${symbol#_} up by name, which is neither the simulator's nor OpenGL's"
        elif [ "$dylib" != libSystem ]; then
            fail "$arch: binds ${symbol#_} to $dylib, not to libSystem"
        elif ! grep -qxF -- "$symbol" "$work/system-$arch"; then
            fail "$arch: binds ${symbol#_} to libSystem, which does not offer it"
        fi
    done < <(llvm-objdump --macho --bind --lazy-bind --weak-bind "$half" | awk '
        /^Bind table:/ { table = "bind"; next }
        /^Lazy bind table:/ { table = "lazy"; next }
        /^Weak bind table:/ { table = "weak"; next }
        table == "" || NF == 0 || $1 == "segment" { next }
        table == "weak" { print table, "-", $NF; next }
        { print table, $(NF - 1), $NF }')
    expect_same "$arch: simulator functions looked up by name" "$declared" "$simulator"
done

while read -r problem; do
    fail "code signature: $problem"
done < <(python3 "$here/code-signature.py" "$module" arm64)

finish "mac.xpl"
