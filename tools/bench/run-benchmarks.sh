#!/usr/bin/env bash
# Times the plug-in's own work on the stand-in (tests/bench, Google Benchmark)
# and counts the instructions of the built module (instruction-counts.sh), and
# prints both in one table.
#
# Usage: run-benchmarks.sh BUILD_DIR [Google Benchmark options]
# The times hold the plug-in's work with the stand-in's answers to it; the
# instruction counts leave the stand-in out and are the figures that repeat.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:?usage: run-benchmarks.sh BUILD_DIR [Google Benchmark options]}"
shift
benchmarks="$build/tests/plugin_benchmarks"
[ -x "$benchmarks" ] || { echo "no $benchmarks: install libbenchmark-dev and build again" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The plug-in's log lines go to standard error: kept out of the table.
if ! "$benchmarks" --benchmark_out="$work/times.json" --benchmark_out_format=json "$@" >"$work/times.log" 2>&1; then
    cat "$work/times.log" >&2
    exit 2
fi
"$here/instruction-counts.sh" "$build" --raw >"$work/counts"

# The benchmarks measured by instruction count too, by region.
awk -v counts="$work/counts" '
    BEGIN {
        region["IdleFlightLoopCall"] = "idle"
        region["DataDisplayRefresh"] = "refresh"
        region["LoadPositionFile"] = "load"
        while ((getline line < counts) > 0) {
            split(line, f, " ")
            instructions[f[1]] = f[2]
            budget[f[1]] = f[3] " " f[4]
            verdict[f[1]] = f[5]
            allocations[f[1]] = f[6]
            gsub(/_/, " ", verdict[f[1]])
        }
        split("name family_index per_family_instance_index run_name run_type repetitions repetition_index " \
              "threads iterations real_time cpu_time time_unit", known, " ")
        for (i in known) standard[known[i]] = 1
        toNs["ns"] = 1; toNs["us"] = 1e3; toNs["ms"] = 1e6; toNs["s"] = 1e9
        printf "%-22s %11s %11s %12s %10s  %-12s %s\n", "Benchmark", "Time/call", "Instr/call", "Allocs/call", "Budget",
               "Verdict", "Counters"
    }
    function readable(ns) {
        if (ns < 1e3) return sprintf("%.1f ns", ns)
        if (ns < 1e6) return sprintf("%.2f us", ns / 1e3)
        return sprintf("%.2f ms", ns / 1e6)
    }
    function number(value) { value += 0; return value == int(value) ? sprintf("%d", value) : sprintf("%.3g", value) }
    /"benchmarks": \[/ { inside = 1; next }
    !inside { next }
    /^ *\{ *$/ { delete field; extra = ""; next }
    /^ *"[^"]+": / {
        key = $0; sub(/^ *"/, "", key); sub(/".*/, "", key)
        value = $0; sub(/^ *"[^"]+": */, "", value); sub(/,$/, "", value); gsub(/"/, "", value)
        field[key] = value
        if (key == "bytes_per_second") extra = extra sprintf(" %.1f MB/s", value / 1e6)
        else if (key == "items_per_second") extra = extra sprintf(" %s items/s", number(value))
        else if (!(key in standard) && key !~ /^(label|error_occurred|error_message|aggregate_name)$/)
            extra = extra sprintf(" %s=%s", key, number(value))
        next
    }
    /^ *\}/ && ("name" in field) {
        r = region[field["name"]]
        printf "%-22s %11s %11s %12s %10s  %-12s%s\n", field["name"], readable(field["real_time"] * toNs[field["time_unit"]]),
               instructions[r], allocations[r], budget[r], verdict[r], extra
        delete field
    }
' "$work/times.json"
echo
echo "Time/call: Google Benchmark on the stand-in, in process (the plug-in's code linked in, its operations called"
echo "directly). Instr/call: callgrind on the built module loaded into the stand-in, driven through its callbacks"
echo "(the load by the quick-load hot key), the stand-in's own functions left out; Allocs/call: the plug-in's heap"
echo "allocations there."
