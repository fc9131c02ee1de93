#!/usr/bin/env bash
# Checks the release archive as a pilot unpacks it: exactly the five files
# under SkyPlacer/, intact; README.txt the current pilot's guide as plain text
# with Windows line ends; and the three modules the ones laid out in the plug-in
# folder, each checked again as unpacked: the table checks, and lin.xpl's needs
# of the C library.
#
# Usage: check-archive.sh ARCHIVE PLUGIN_FOLDER PILOTS_GUIDE_MD XPLM_HEADER WIDGETS_HEADER XPLM_DEF XPWIDGETS_DEF
# Skips (exit 77) when there is no archive, unless SKYPLACER_REQUIRE_ARCHIVE=1.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../module/module-checks.sh"

archive=$1 folder=$2 guide=$3 xplm_header=$4 widgets_header=$5 xplm_def=$6 widgets_def=$7
if [ ! -f "$archive" ]; then
    [ "${SKYPLACER_REQUIRE_ARCHIVE:-0}" = 1 ] && { echo "FAIL: no archive at $archive" >&2; exit 1; }
    echo "SKIP: no archive at $archive (make dist makes it)"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

unzip -tq "$archive" >/dev/null || fail "unzip finds the archive damaged"
expect_same "files in the archive" \
    "$(printf '%s\n' SkyPlacer/64/win.xpl SkyPlacer/64/lin.xpl SkyPlacer/64/mac.xpl SkyPlacer/SkyPlacer.ini SkyPlacer/README.txt)" \
    "$(unzip -Z1 "$archive" | grep -v '/$')"
unzip -q "$archive" -d "$work"
unpacked=$work/SkyPlacer

for file in 64/win.xpl 64/lin.xpl 64/mac.xpl SkyPlacer.ini; do
    cmp -s "$unpacked/$file" "$folder/$file" || fail "$file differs from $folder/$file: make dist packs the current build"
done

# README.txt: the pilot's guide as it is now, every line ended by CR LF, no Markdown left.
text=$unpacked/README.txt
awk -f "$here/../../tools/archive/pilot-readme.awk" "$guide" | cmp -s - "$text" ||
    fail "README.txt is not the current pilot's guide ($guide)"
[ "$(grep -c $'\r$' "$text")" = "$(wc -l <"$text")" ] || fail "README.txt has lines without a Windows line end"
grep -nE '\*\*|```|\]\(|^\|| \| |<!--|`' "$text" && fail "README.txt keeps Markdown marks (lines above)"
for topic in "Resources/plugins/SkyPlacer" "X-Plane 10" "Plugins menu" "skyplacer/toggle_data_display" "HotKey = F5" \
    "SkyPlacerLog.txt" "Log.txt" "xattr -dr com.apple.quarantine"; do
    grep -qF "$topic" "$text" || fail "README.txt does not mention \"$topic\""
done

bash "$here/../module/check-lin-module.sh" "$unpacked/64/lin.xpl" "$xplm_header" "$widgets_header" ||
    fail "the archive's lin.xpl fails its table check"
bash "$here/../module/check-lin-glibc.sh" "$unpacked/64/lin.xpl" || fail "the archive's lin.xpl fails its C library check"
SKYPLACER_REQUIRE_WIN_MODULE=1 bash "$here/../module/check-win-module.sh" "$unpacked/64/win.xpl" \
    "$xplm_def" "$widgets_def" "$widgets_header" || fail "the archive's win.xpl fails its table check"
SKYPLACER_REQUIRE_MAC_MODULE=1 bash "$here/../module/check-mac-module.sh" "$unpacked/64/mac.xpl" \
    "$xplm_header" "$widgets_header" || fail "the archive's mac.xpl fails its check"

finish "release archive $(basename "$archive")"
