#!/usr/bin/env bash
# Runs clang-tidy (with the checked-in .clang-tidy) and cppcheck over the plug-in (src/),
# the stand-in simulator (sim/) and the tools (tools/, but for the player's own tests).
# Usage: run-lint.sh BUILD_DIR   (a configured build with compile_commands.json)
# Any finding of either tool fails with a non-zero status.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:?usage: run-lint.sh BUILD_DIR}" && pwd)"
[ -f "$build/compile_commands.json" ] || { echo "no compile_commands.json in $build" >&2; exit 2; }
cd "$root"

mapfile -t sources < <(git ls-files 'src/*.cpp' 'sim/*.cpp' 'tools/*.cpp' ':!tools/player/tests/*')
echo "clang-tidy: ${#sources[@]} files"
run-clang-tidy -quiet -p "$build" "${sources[@]/#/$root/}" >"$build/clang-tidy.log" 2>&1 || {
    grep -E "(warning|error):" "$build/clang-tidy.log" | sort -u >&2 || cat "$build/clang-tidy.log" >&2
    echo "clang-tidy found the problems above" >&2
    exit 1
}

echo "cppcheck: ${#sources[@]} files"
cppcheck --std=c++17 --language=c++ --quiet --error-exitcode=1 --inline-suppr \
    --enable=warning,performance,portability,style \
    --suppressions-list=tools/lint/cppcheck-suppressions.txt \
    -I src -I src/sdk -I "$build/generated" -I sim/include -I sim/src -I tools/player "${sources[@]}"
echo "lint: clean"
