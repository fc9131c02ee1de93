#!/usr/bin/env bash
# Shows that the table checks fail on the faults they exist to catch. Linux: a
# module that breaks every rule, the plug-in with one extra export, a file that
# is no shared object, and for the C library check also the plug-in built
# against a glibc newer than 2.31. Windows: definition files that disagree with win.xpl's
# imports, a DLL with an extra export that needs MinGW's runtime DLLs and opens
# files by narrow paths, a program
# instead of a DLL, a file that is no PE file. The Windows faults are
# cross-compiled here from BrokenWinModule.cpp.
#
# Usage: check-rejects.sh BROKEN_LIN_MODULE EXTRA_EXPORT_MODULE [--sanitized] WIN_MODULE XPLM_DEF XPWIDGETS_DEF
#                         XPLM_HEADER WIDGETS_HEADER
# The Windows half is skipped when win.xpl or the MinGW tools are missing,
# unless SKYPLACER_REQUIRE_WIN_MODULE=1.
set -euo pipefail
here=$(dirname "$0")
source "$here/module-checks.sh"

broken=$1 extra=$2
shift 2
lin_options=()
if [ "${1:-}" = --sanitized ]; then
    lin_options=(--sanitized)
    shift
fi
win=$1 xplm_def=$2 widgets_def=$3 xplm_header=$4 widgets_header=$5

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "not a module" >"$work/not-a-module.xpl"

# expect_rejected NAME CHECK ARGUMENT...: runs the check, which must fail; its
# output is left in $work/NAME.out for expect_said.
expect_rejected() {
    local name=$1 check=$2
    shift 2
    if bash "$here/$check" "$@" >"$work/$name.out" 2>&1; then
        fail "$check accepted $name"
    fi
}

# expect_said NAME LINE...: the rejection of NAME said each line; if not, its
# whole output follows the misses.
expect_said() {
    local name=$1 line missed=0
    shift
    for line in "$@"; do
        grep -qF "$line" "$work/$name.out" || { fail "$name rejected without \"$line\""; missed=1; }
    done
    if [ "$missed" = 1 ]; then
        echo "--- what the check said about $name:" >&2
        cat "$work/$name.out" >&2
    fi
}

lin_check() {
    expect_rejected "$1" check-lin-module.sh "$2" "${@:3}" "$xplm_header" "$widgets_header"
}

lin_check "the broken Linux module" "$broken"
expect_said "the broken Linux module" "exports: unexpected ExtraExport" "exports: missing XPluginStop" \
    "links the stand-in simulator" "calls the stand-in simulator's driver" "from the shared C++ runtime" \
    "leaves SkyPlacerNotProvided undefined" \
    "simulator functions left to the loader: missing XPLMCreateMenu"

# The plug-in's own code with one more export: that export is the only problem.
lin_check "the module with an extra export" "$extra" "${lin_options[@]}"
expect_said "the module with an extra export" "exports: unexpected SkyPlacerExtraExport" "1 problem(s)"

lin_check "a text file as lin.xpl" "$work/not-a-module.xpl"
expect_said "a text file as lin.xpl" "is not a shared object"

# The C library check: the broken module needs the shared C++ runtime and the
# stand-in; the plug-in built against this machine's glibc, when that is newer
# than 2.31, needs a newer version, as the host-built release module does.
expect_rejected "the broken Linux module" check-lin-glibc.sh "$broken"
expect_said "the broken Linux module" "needs libstdc++.so.6, which is not part of the C library" \
    "of the shared C++ runtime" "needs libskysim.so"
host_glibc=$(getconf GNU_LIBC_VERSION | awk '{ print $2 }')
if [ "${#lin_options[@]}" = 0 ] && [ "$(printf '%s\n' "$host_glibc" 2.31 | sort -V | tail -n 1)" != 2.31 ]; then
    expect_rejected "the module built on glibc $host_glibc" check-lin-glibc.sh "$extra"
    expect_said "the module built on glibc $host_glibc" "above GLIBC_2.31" "highest glibc version needed: GLIBC_2.3"
fi
SKYPLACER_REQUIRE_ARCHIVE=1 expect_rejected "a missing module" check-lin-glibc.sh "$work/missing.xpl"
expect_said "a missing module" "no module at"

# Windows needs the built win.xpl, objdump and the cross-compiler.
missing=""
[ -f "$win" ] || missing="no win.xpl at $win"
for tool in x86_64-w64-mingw32-objdump x86_64-w64-mingw32-g++; do
    command -v "$tool" >/dev/null || missing="$tool is not installed"
done
if [ -n "$missing" ]; then
    if [ "${SKYPLACER_REQUIRE_WIN_MODULE:-0}" = 1 ]; then
        fail "$missing: cannot show the Windows check rejecting"
    else
        echo "$missing: Windows half skipped"
    fi
    finish "table checks reject broken modules"
    exit 0
fi

win_check() {
    expect_rejected "$1" check-win-module.sh "$2" "${3:-$xplm_def}" "$widgets_def" "$widgets_header"
}

# The XPLM list with its first function dropped and one the module never calls.
first=$(def_exports "$xplm_def" | head -n 1)
grep -vE "^[[:space:]]+$first\$" "$xplm_def" >"$work/XPLM_64.def"
echo "    XPLMNotCalled" >>"$work/XPLM_64.def"
win_check "definition files that differ from the imports" "$win" "$work/XPLM_64.def"
expect_said "definition files that differ from the imports" "imports from XPLM_64.dll: missing XPLMNotCalled" \
    "imports from XPLM_64.dll: unexpected $first"

# Each broken module is named win.xpl, as the check wants it, in its own folder.
mkdir "$work/dll" "$work/program"
x86_64-w64-mingw32-g++ -shared -shared-libgcc -o "$work/dll/win.xpl" "$here/BrokenWinModule.cpp"
x86_64-w64-mingw32-g++ -DBROKEN_AS_PROGRAM -o "$work/program/win.xpl" "$here/BrokenWinModule.cpp"

win_check "a DLL with MinGW's runtime" "$work/dll/win.xpl"
expect_said "a DLL with MinGW's runtime" "exports: unexpected ExtraExport" "exports: missing XPluginStop" \
    "imports from libstdc++-6.dll, which a simulator machine does not have" \
    "imports from libgcc_s_seh-1.dll, which a simulator machine does not have" \
    "imports fopen, which reads a path in the code page" "does not import _wfopen"

win_check "a program" "$work/program/win.xpl"
expect_said "a program" "is not a DLL"

win_check "a text file as win.xpl" "$work/not-a-module.xpl"
expect_said "a text file as win.xpl" "is not a 64-bit PE file"

finish "table checks reject broken modules"
