#!/usr/bin/env bash
# Checks win.xpl's export and import tables (objdump -p): a 64-bit DLL named
# win.xpl that exports exactly the five entry points, imports from XPLM_64.dll
# and XPWidgets_64.dll exactly the functions in our definition files, from
# opengl32.dll exactly the gl* functions the widget header declares, and
# otherwise only Windows' own DLLs (no MinGW runtime DLL), with the wide file
# calls and none that takes a path in the code page.
#
# Usage: check-win-module.sh MODULE XPLM_DEF XPWIDGETS_DEF WIDGETS_HEADER
# Skips (exit 77) when the module or objdump is missing, unless
# SKYPLACER_REQUIRE_WIN_MODULE=1.
set -euo pipefail
source "$(dirname "$0")/module-checks.sh"

module=$1 xplm_def=$2 widgets_def=$3 widgets_header=$4
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null || skip_or_fail "$objdump is not installed"
[ -f "$module" ] || skip_or_fail "no Windows module at $module (cmake --build --preset mingw builds it)"

# objdump fails on a file it cannot read as an object; that is a verdict, not an error.
tables=$("$objdump" -p "$module" 2>/dev/null || true)
if ! grep -q 'file format pei-x86-64' <<<"$tables"; then
    fail "$module is not a 64-bit PE file"
    finish "win.xpl export and import tables"
fi
# The flag names are listed under "Characteristics", up to the first blank line.
awk '/^Characteristics/ { on = 1; next } on && /^$/ { exit } on' <<<"$tables" | grep -qx $'\tDLL' ||
    fail "$module is not a DLL"
grep -qE '^Name[[:space:]]+[0-9a-f]+ win\.xpl$' <<<"$tables" || fail "the export table does not name the module win.xpl"

exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
               on && /^\t\[/ { print $NF; next }
               on { on = 0 }' <<<"$tables")
expect_same "exports" "$(words "$ENTRY_POINTS")" "$exports"

# "DLL Name: X" starts each DLL's block; its member lines are "vma hint name".
imports=$(awk '/DLL Name:/ { dll = $3; next }
               dll != "" && /^\t[0-9a-f]+\t/ { print dll, $3 }' <<<"$tables")
imported_from() {
    awk -v dll="$1" 'tolower($1) == tolower(dll) { print $2 }' <<<"$imports"
}
expect_same "imports from XPLM_64.dll" "$(def_exports "$xplm_def")" "$(imported_from XPLM_64.dll)"
expect_same "imports from XPWidgets_64.dll" "$(def_exports "$widgets_def")" "$(imported_from XPWidgets_64.dll)"
expect_same "imports from opengl32.dll" "$(declared_functions "$widgets_header" | grep '^gl' || true)" \
    "$(imported_from opengl32.dll)"

# Every file operation takes its path as UTF-16 (src/files): the wide calls are
# imported, and no call that would read a path in the system's code page is.
imported_names=$(awk '{ print $2 }' <<<"$imports")
for call in _wfopen _wopen _wremove MoveFileExW GetFileAttributesW MultiByteToWideChar; do
    grep -qx "$call" <<<"$imported_names" || fail "does not import $call, which its file operations use"
done
for call in fopen freopen _fsopen rename remove _unlink unlink _open _access _stat _stat64 _mkdir \
    MoveFileA MoveFileExA CopyFileA CreateFileA DeleteFileA GetFileAttributesA GetFileAttributesExA \
    FindFirstFileA CreateDirectoryA; do
    if grep -qx "$call" <<<"$imported_names"; then fail "imports $call, which reads a path in the code page"; fi
done

while read -r dll; do
    case ${dll,,} in
        xplm_64.dll | xpwidgets_64.dll | opengl32.dll) ;;
        kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll) ;;
        *) fail "imports from $dll, which a simulator machine does not have" ;;
    esac
done < <(awk '{ print $1 }' <<<"$imports" | sort -u)

finish "win.xpl export and import tables"
