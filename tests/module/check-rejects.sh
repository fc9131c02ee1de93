#!/usr/bin/env bash
# Shows that the table checks fail on the faults they exist to catch: a broken
# Linux module, and definition files that disagree with win.xpl's imports.
#
# Usage: check-rejects.sh BROKEN_LIN_MODULE WIN_MODULE XPLM_DEF XPWIDGETS_DEF XPLM_HEADER WIDGETS_HEADER
set -euo pipefail
here=$(dirname "$0")
source "$here/module-checks.sh"

broken=$1 win=$2 xplm_def=$3 widgets_def=$4 xplm_header=$5 widgets_header=$6

# expect_rejected OUTPUT_FILE EXPECTED_LINE...: the check failed and said each line.
expect_rejected() {
    local output=$1 line
    shift
    for line in "$@"; do
        grep -qF "$line" "$output" || fail "rejection without \"$line\": $(cat "$output")"
    done
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if bash "$here/check-lin-module.sh" "$broken" "$xplm_header" "$widgets_header" >"$work/lin.out" 2>&1; then
    fail "check-lin-module.sh accepted the broken module"
fi
expect_rejected "$work/lin.out" "exports: unexpected ExtraExport" "exports: missing XPluginStop" \
    "links the stand-in simulator" "calls the stand-in simulator's driver" "from the shared C++ runtime" \
    "leaves SkyPlacerNotProvided undefined" \
    "simulator functions left to the loader: missing XPLMCreateMenu"

if [ -f "$win" ] && command -v x86_64-w64-mingw32-objdump >/dev/null; then
    # The XPLM list with its first function dropped and one the module never calls.
    first=$(def_exports "$xplm_def" | head -n 1)
    grep -vE "^[[:space:]]+$first\$" "$xplm_def" >"$work/XPLM_64.def"
    echo "    XPLMNotCalled" >>"$work/XPLM_64.def"
    if bash "$here/check-win-module.sh" "$win" "$work/XPLM_64.def" "$widgets_def" "$widgets_header" \
        >"$work/win.out" 2>&1; then
        fail "check-win-module.sh accepted definition files that differ from the imports"
    fi
    expect_rejected "$work/win.out" "imports from XPLM_64.dll: missing XPLMNotCalled" \
        "imports from XPLM_64.dll: unexpected $first"
else
    echo "no win.xpl to check against: Windows half skipped"
fi

finish "table checks reject broken modules"
