#!/usr/bin/env bash
# Links one architecture of mac.xpl with ld64.lld-16: a bundle that exports
# only the entry points of EXPORTS, hides and strips every other name and the
# debugger's map of the objects (-S: it names the build's paths), carries
# libc++, libc++abi and compiler-rt as Zig builds them, so its allocator and
# runtime helpers are its own, and loads only libSystem. Its names live in a
# two-level namespace: each of the C library's is bound to libSystem, and only
# the simulator's and OpenGL's, which no library on the link line offers, are
# left to be looked up by name in the simulator's process when it loads the
# module (-undefined dynamic_lookup). The arm64 half is signed ad hoc: Apple
# Silicon runs no unsigned code.
#
# Usage: link-mac-module.sh ZIG_CXX ZIG ARCH MINIMUM_MACOS EXPORTS OUTPUT OBJECT...
set -euo pipefail
zig_cxx=$1 zig=$2 arch=$3 minimum=$4 exports=$5 output=$6
shift 6

case $arch in
    aarch64 | arm64) arch=arm64 signing=(-adhoc_codesign) ;;
    x86_64) signing=(-no_adhoc_codesign) ;;
    *) echo "link-mac-module.sh: no Mac architecture $arch" >&2; exit 1 ;;
esac
major=${minimum%%.*}
stubs=$(dirname "$zig")/lib/libc/darwin/libSystem.$major.tbd
[ -f "$stubs" ] || { echo "link-mac-module.sh: Zig has no libSystem stubs for macOS $major ($stubs)" >&2; exit 1; }

# Zig builds its C++ runtime when it links C++, at the link's optimisation
# level: a link of an empty library at -O2 names the archives (built once,
# then taken from Zig's cache).
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
: >"$probe/empty.cpp"
"$zig_cxx" -O2 -c "$probe/empty.cpp" -o "$probe/empty.o"
runtime=()
while read -r archive; do
    runtime+=("$archive")
done < <(ZIG_VERBOSE_LINK=1 "$zig_cxx" -O2 -shared "$probe/empty.o" -o "$probe/empty.dylib" 2>&1 |
    awk '$1 == "zig" && $2 == "ld" { for (i = 3; i <= NF; ++i) if ($i ~ /\.a$/) print $i }')
[ "${#runtime[@]}" -eq 3 ] || { echo "link-mac-module.sh: Zig named ${#runtime[@]} runtime archives, not 3" >&2; exit 1; }

# libSystem's stubs come before the runtime archives: a name the C library
# offers is bound to it, as Apple's own link order does, rather than taken from
# Zig's compiler-rt, which carries memcpy and parts of libm too.
ld64.lld-16 -arch "$arch" -platform_version macos "$minimum" "$minimum" -bundle \
    -undefined dynamic_lookup -exported_symbols_list "$exports" \
    -dead_strip -x -S "${signing[@]}" -o "$output" "$@" "$stubs" "${runtime[@]}"
