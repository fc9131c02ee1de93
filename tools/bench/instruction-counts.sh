#!/usr/bin/env bash
# Counts the instructions the built plug-in module runs (tools/bench/InstructionCounts.cpp)
# under callgrind and prints them per call beside their budgets.
#
# Usage: instruction-counts.sh BUILD_DIR [--check] [--annotate] [--raw] [--module MODULE]
#   --module    count MODULE (such as the shipped dist/SkyPlacer/64/lin.xpl) instead of the build's lin.xpl
#   --check     exit 1 when a count misses its budget (the table is printed either way)
#   --raw       print "region instructions-per-call budget verdict" lines instead of the table
#   --annotate  also count the module built with its symbols (lin-symbols.xpl) and show,
#               per region, the functions the instructions go to
#
# A region's count is what callgrind collected while the plug-in's code ran, less
# what falls in the stand-in's own library (its switching of the collection around
# each call into and out of the plug-in): the module and the C and C++ libraries
# it calls are counted, the stand-in simulator is not.
set -euo pipefail

build="${1:?usage: instruction-counts.sh BUILD_DIR [--check] [--annotate] [--raw] [--module MODULE]}"
shift
check=0
annotate=0
raw=0
counted=""
while [ $# -gt 0 ]; do
    case "$1" in
        --check) check=1 ;;
        --annotate) annotate=1 ;;
        --raw) raw=1 ;;
        --module)
            counted="${2:?--module needs a path}"
            [ -f "$counted" ] || { echo "instruction-counts.sh: no module at $counted" >&2; exit 2; }
            shift ;;
        *) echo "instruction-counts.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done

program="$build/tools/bench/instruction_counts"
[ -x "$program" ] || { echo "no $program: build the instruction_counts target first" >&2; exit 2; }
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)" >&2; exit 2; }

# Budgets in instructions per call; a count must stay under its budget.
declare -A budget=([idle]=50 [refresh]=100000 [load]=100000 [settle]=2000 [autosave]=50000)
declare -A meaning=(
    [idle]="idle placement-loop call, auto-save on"
    [refresh]="placement-loop call refreshing the data display"
    [load]="quick load of the 23-line QuickFile.skd (hot key)"
    [settle]="placement-loop call settling a placement"
    [autosave]="placement-loop call auto-saving (AutoSave.skd)"
)
regions=(idle refresh load settle autosave)

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Runs the program under callgrind with MODULE (empty: the build's lin.xpl);
# leaves the dumps in $work/NAME.out.N.
count() {
    local name="$1" module=()
    [ -z "$2" ] || module=("$2")
    if ! valgrind --tool=callgrind --collect-atstart=no --compress-strings=no --compress-pos=no \
        --callgrind-out-file="$work/$name.out" "$program" "${module[@]}" >"$work/$name.log" 2>&1; then
        cat "$work/$name.log" >&2
        echo "instruction_counts failed under callgrind" >&2
        exit 2
    fi
}

# Prints "region calls total stand-in allocations" for each region dump of a
# run: the region, its calls and the plug-in's heap allocations come from the dump's name, the stand-in's share from
# the self cost of the lines of its library (a cost line that follows a
# "calls=" line is a call's inclusive cost, not self cost).
summarise() {
    local dump
    for dump in "$work/$1".out.*; do
        awk '
            /^desc: Trigger: Client Request: / {
                region = $5; calls = $6; sub(/^calls=/, "", calls); allocations = $7; sub(/^allocations=/, "", allocations)
            }
            /^totals:/ { total = $2 }
            /^ob=/ { standIn = ($0 ~ /libskysim[^\/]*$/) }
            /^calls=/ { inclusive = 1; next }
            /^[0-9]/ { if (inclusive) { inclusive = 0; next } if (standIn && NF >= 2) standInCost += $NF }
            END { if (calls != "") printf "%s %d %d %d %d\n", region, calls, total, standInCost, allocations }
        ' "$dump"
    done
}

count module "$counted"
[ "$raw" -eq 1 ] || echo "Counting ${counted:-the lin.xpl of $build}"
summarise module >"$work/summary"

# One row per region: region, what, calls, per call, stand-in per call,
# allocations per call, budget, verdict.
row() {
    if [ "$raw" -eq 1 ]; then
        printf '%s %s %s %s %s\n' "$1" "$4" "$7" "${8// /_}" "$6"
    else
        printf '%-8s %-50s %6s %11s %14s %12s %9s  %s\n' "$@"
    fi
}

missed=0
[ "$raw" -eq 1 ] || row "Region" "What" "Calls" "Instr/call" "Stand-in/call" "Allocs/call" "Budget" "Verdict"
for region in "${regions[@]}"; do
    line="$(grep "^$region " "$work/summary" || true)"
    if [ -z "$line" ]; then
        row "$region" "${meaning[$region]}" "-" "-" "-" "-" "< ${budget[$region]}" "NOT MEASURED"
        missed=1
        continue
    fi
    read -r _ calls total standIn allocations <<<"$line"
    perCall=$(((total - standIn) / calls))
    verdict="ok"
    if [ "$perCall" -ge "${budget[$region]}" ]; then
        verdict="OVER BUDGET"
        missed=1
    fi
    allocationsPerCall="$(awk -v a="$allocations" -v c="$calls" 'BEGIN { printf "%.2f", a / c }')"
    row "$region" "${meaning[$region]}" "$calls" "$perCall" "$((standIn / calls))" "$allocationsPerCall" \
        "< ${budget[$region]}" "$verdict"
done

if [ "$annotate" -eq 1 ]; then
    symbols="$build/tools/bench/lin-symbols.xpl"
    [ -f "$symbols" ] || { echo "no $symbols to annotate with" >&2; exit 2; }
    count symbols "$symbols"
    for dump in "$work"/symbols.out.*; do
        grep -q "^desc: Trigger: Client Request: .* calls=" "$dump" || continue
        echo
        grep "^desc: Trigger" "$dump"
        # The functions from the plug-in's callback down, without the program's frames above it.
        callgrind_annotate --inclusive=yes --threshold=99 "$dump" |
            awk '/lin-symbols\.xpl\]$/ { shown = 1 } /^-+$/ { if (shown) exit } shown' | head -40
    done
fi

if [ "$check" -eq 1 ] && [ "$missed" -ne 0 ]; then
    echo "instruction budgets missed" >&2
    exit 1
fi
