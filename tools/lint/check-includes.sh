#!/usr/bin/env bash
# Checks that the includes of src/ run one way: from plugin through the
# subsystems (config, position, flight, ui) to log and the leaves (sdk, text,
# files). plugin/PluginApp.h, whose members the subsystems and the log
# implement, is the one header of a higher folder they may include; every other
# include upward or sideways must be listed, with its reason, under "Includes
# between folders" in docs/developers-guide.md, and every listed one must still
# be made, so the list stays true.
# Usage: check-includes.sh [ROOT]   (the project's folder; this script's by default)
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/../.." && pwd)}"
guide="$root/docs/developers-guide.md"

declare -A level=([plugin]=0 [config]=1 [position]=1 [flight]=1 [ui]=1 [log]=2 [sdk]=3 [text]=3 [files]=3)

# The guide's list: rows "| `from` | `folder/Header.h` | why |" of its section.
declare -A listed=() used=()
while read -r from header; do
    listed["$from $header"]=1
done < <(sed -n '/^### Includes between folders/,/^## /p' "$guide" |
    sed -nE 's/^\| `([a-z]+)` \| `([a-z]+\/[A-Za-z]+\.h)` \|.*/\1 \2/p')
[ "${#listed[@]}" -gt 0 ] || { echo "no list of includes between folders in $guide" >&2; exit 2; }

problems=0
while IFS= read -r file; do
    from="${file#src/}"
    from="${from%%/*}"
    [ -n "${level[$from]:-}" ] || { echo "$file: src/$from is not a known folder" >&2; problems=$((problems + 1)); continue; }
    while IFS= read -r header; do
        to="${header%%/*}"
        [ -n "${level[$to]:-}" ] || continue  # not a folder of src/ (the generated ProjectInfo.h is plugin's)
        [ "$to" = "$from" ] && continue
        if [ "$header" = "plugin/PluginApp.h" ] && [ "${level[$from]}" -ge 1 ] && [ "${level[$from]}" -le 2 ]; then
            continue
        fi
        [ "${level[$from]}" -lt 3 ] && [ "${level[$to]}" -gt "${level[$from]}" ] && continue
        if [ -n "${listed["$from $header"]:-}" ]; then
            used["$from $header"]=1
            continue
        fi
        echo "$file includes $header: upward or sideways, and not listed in docs/developers-guide.md" >&2
        problems=$((problems + 1))
    done < <(sed -nE 's/^#include "([a-z]+\/[A-Za-z]+\.h)".*/\1/p' "$root/$file")
done < <(cd "$root" && find src -name '*.h' -o -name '*.cpp' | sort)

for pair in "${!listed[@]}"; do
    if [ -z "${used[$pair]:-}" ]; then
        echo "docs/developers-guide.md lists src/${pair% *} including ${pair#* }, which nothing there does any more" >&2
        problems=$((problems + 1))
    fi
done

[ "$problems" -eq 0 ] || exit 1
echo "includes: one way, with the ${#listed[@]} listed exceptions"
