#!/usr/bin/env bash
# Packs the release archive from the laid-out plug-in folder: its three modules,
# SkyPlacer.ini, and README.txt, which it writes there first from the pilot's
# guide.
#
# Usage: make-archive.sh CMAKE PLUGIN_FOLDER ARCHIVE PILOTS_GUIDE_MD
# PLUGIN_FOLDER is dist/SkyPlacer: its name is the archive's top folder.
set -euo pipefail
cmake=$1 folder=$2 archive=$3 guide=$4
here=$(cd "$(dirname "$0")" && pwd)

awk -f "$here/pilot-readme.awk" "$guide" >"$folder/README.txt"
top=$(basename "$folder")
members=("$top/64/win.xpl" "$top/64/lin.xpl" "$top/64/mac.xpl" "$top/SkyPlacer.ini" "$top/README.txt")
cd "$(dirname "$folder")"
for member in "${members[@]}"; do
    if [ ! -f "$member" ]; then
        echo "make-archive: $member is missing (win.xpl comes from the mingw preset: make windows; mac.xpl from make mac)" >&2
        exit 1
    fi
done
rm -f "$archive"
"$cmake" -E tar cf "$archive" --format=zip "${members[@]}"
echo "Wrote $archive"
