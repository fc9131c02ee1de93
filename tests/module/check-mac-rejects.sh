#!/usr/bin/env bash
# Shows that check-mac-module.sh fails on the faults it exists to catch: a
# module that breaks every rule (BrokenMacModule.c, built here with Zig's own
# linker), modules that leave the loader to look up by name what they must
# bind (BrokenMacLookups.cpp, linked by ld64.lld), mac.xpl with one byte of
# its arm64 code changed after signing, its x86_64 half alone, a file that is
# no Mach-O file.
#
# Usage: check-mac-rejects.sh MAC_MODULE API_HEADER...
# Skips (exit 77) without mac.xpl or Zig, unless SKYPLACER_REQUIRE_MAC_MODULE=1.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/module-checks.sh"

module=$(realpath -m "$1")
shift
headers=()
for header in "$@"; do headers+=("$(realpath "$header")"); done
if [ ! -f "$module" ] || ! zig=$("$here/../../tools/mac/zig-path.sh" --installed); then
    skip_unless_required "${SKYPLACER_REQUIRE_MAC_MODULE:-0}" \
        "no mac.xpl at $module, or no Zig (tools/mac/build-mac.sh builds both)"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ZIG_GLOBAL_CACHE_DIR=${SKYPLACER_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/skyplacer}/zig-global
export ZIG_LOCAL_CACHE_DIR=$ZIG_GLOBAL_CACHE_DIR

# expect_rejected NAME FILE LINE...: the check fails on FILE and says each line.
expect_rejected() {
    local name=$1 file=$2 line missed=0
    shift 2
    if bash "$here/check-mac-module.sh" "$file" "${headers[@]}" >"$work/out" 2>&1; then
        fail "check-mac-module.sh accepted $name"
    fi
    for line in "$@"; do
        grep -qF -- "$line" "$work/out" || { fail "$name rejected without \"$line\""; missed=1; }
    done
    if [ "$missed" = 1 ]; then
        echo "--- what the check said about $name:" >&2
        cat "$work/out" >&2
    fi
}

cd "$work"
broken=(-target x86_64-macos.12.0 -O2 -shared "$here/BrokenMacModule.c")
"$zig" cc "${broken[@]}" -DEXTRA_LIBRARY -o libSkyPlacerExtra.dylib
"$zig" cc "${broken[@]}" -Wl,-undefined,dynamic_lookup -L. -lSkyPlacerExtra -o broken.xpl
expect_rejected "the broken Mac module" broken.xpl "architectures: missing arm64" "is not a universal file" \
    "x86_64: not a bundle" "x86_64: needs macOS 12.0" "libraries loaded: unexpected libSkyPlacerExtra.dylib" \
    "exports: unexpected ExtraExport" "exports: missing XPluginStop" "keeps 2 local symbols" "debugging symbols" \
    "looks SkyPlacerNotProvided up by name" "simulator functions looked up by name: missing _XPLMCreateMenu" \
    "code signature: no arm64 half"

# C++ code linked so that the loader would look up by name what must be bound:
# in a flat namespace, and in a two-level one without the C++ runtime.
"$zig" c++ -target x86_64-macos.11.0 -O2 -c "$here/BrokenMacLookups.cpp" -o lookups.o
lookups=(ld64.lld-16 -arch x86_64 -platform_version macos 11.0 11.0 -bundle -undefined dynamic_lookup lookups.o
    "$(dirname "$zig")/lib/libc/darwin/libSystem.11.tbd")
"${lookups[@]}" -flat_namespace -o flat.xpl
expect_rejected "a flat-namespace module" flat.xpl "x86_64: not a two-level namespace module" \
    "x86_64: looks strlen up by name"
"${lookups[@]}" -o new-by-name.xpl
expect_rejected "a module that looks operator new up by name" new-by-name.xpl "x86_64: looks _Znwm up by name" \
    "x86_64: looks _ZdlPv up by name"

# One byte of the arm64 half's code changed after the linker signed it. (awk
# reads to the end: a pipe closed early fails llvm-objdump.)
slice=$(llvm-objdump --macho --universal-headers "$module" |
    awk '$2 == "CPU_TYPE_ARM64" { arm = 1 } arm && $1 == "offset" && !found { print $2; found = 1 }')
text=$(llvm-objdump --macho --arch=arm64 --private-headers "$module" |
    awk '$2 == "__text" { text = 1 } text && $1 == "offset" && !found { print $2; found = 1 }')
cp "$module" changed.xpl
python3 -c 'import sys
with open(sys.argv[1], "r+b") as f:
    f.seek(int(sys.argv[2])); byte = f.read(1); f.seek(int(sys.argv[2])); f.write(bytes([byte[0] ^ 1]))' \
    changed.xpl $((slice + text + 64))
expect_rejected "mac.xpl with a byte of its arm64 code changed" changed.xpl "the arm64 signature's hash of page" \
    "1 problem(s)"

llvm-lipo-14 -thin x86_64 "$module" -output intel-only.xpl
expect_rejected "the x86_64 half alone" intel-only.xpl "architectures: missing arm64" "code signature: no arm64 half"

echo "not a module" >not-a-module.xpl
expect_rejected "a text file as mac.xpl" not-a-module.xpl "is not a Mach-O file"

finish "the Mac check rejects broken modules"
