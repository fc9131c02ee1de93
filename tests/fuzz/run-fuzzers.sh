#!/usr/bin/env bash
# Runs each fuzz target (the two file readers, the decimal writers) for a fixed
# time and fails on any finding.
# Usage: run-fuzzers.sh BUILD_DIR SECONDS_PER_TARGET   (BUILD_DIR: a build of the fuzz preset)
#
# Each target starts from a fresh copy of its seeds in BUILD_DIR/fuzz-corpus/<target>/
# (the working corpus grows there, never in the source tree) with a fixed random
# seed, so that runs of the same build and time are alike. Crash, leak and
# timeout inputs land in BUILD_DIR/findings/<target>/, emptied first; the
# target's full output is in BUILD_DIR/fuzz-logs/<target>.log.
set -euo pipefail

usage="usage: run-fuzzers.sh BUILD_DIR SECONDS_PER_TARGET"
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?$usage}" && pwd)"
seconds="${2:?$usage}"
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "run-fuzzers: SECONDS_PER_TARGET must be a whole number above 0" >&2; exit 2; }

# The longest input: room for a table's worth of key lines plus one (1025
# short lines under a header) and for lines longer than the 255 characters the
# reader takes at once.
max_len=10240

# Every input is written to a file and read back several times: the stand-in's
# root folders go to memory where the machine allows, in a folder of this run's
# own that goes when the run ends (a crashed target cannot remove its own).
if [ -d /dev/shm ] && [ -w /dev/shm ]; then scratch_parent=/dev/shm; else scratch_parent="$build"; fi
scratch="$(mktemp -d "$scratch_parent/skyplacer-fuzz-run.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

# The value of the last "<name>: <number>" in a log, "?" when it has none.
last_number() {
    grep -oE "$1 +[0-9]+" "$2" | tail -n 1 | grep -oE '[0-9]+$' || echo "?"
}

# Runs one target; prints its summary line, and its findings on failure.
run_target() {
    local target="$1" seeds="$here/corpus/$2" dict=()
    [ -f "$here/$2.dict" ] && dict=(-dict="$here/$2.dict")
    local binary="$build/tests/fuzz/$target"
    local corpus="$build/fuzz-corpus/$target" findings="$build/findings/$target" log="$build/fuzz-logs/$target.log"
    if [ ! -x "$binary" ]; then
        echo "run-fuzzers: $binary is not built (cmake --preset fuzz && cmake --build --preset fuzz)" >&2
        return 1
    fi
    rm -rf "$corpus" "$findings"
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    cp "$seeds"/* "$corpus"/

    local status=0
    # Standard error is closed for the target (-close_fd_mask=2): the plug-in
    # writes every log line there. The sanitizers' reports still reach the log.
    TMPDIR="$scratch" UBSAN_OPTIONS="print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}" \
        "$binary" -max_total_time="$seconds" -seed=1 -max_len="$max_len" -timeout=10 -close_fd_mask=2 \
        -print_final_stats=1 "${dict[@]}" -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1 || status=$?

    local found=()
    mapfile -t found < <(find "$findings" -type f | sort)
    if [ "$status" -ne 0 ] || [ "${#found[@]}" -gt 0 ]; then
        echo "run-fuzzers: $target FAILED (exit status $status); its output is in $log" >&2
        grep -E "ERROR|SUMMARY|fuzz check failed|Test unit written" "$log" | head -n 20 >&2 || tail -n 30 "$log" >&2
        local file
        for file in "${found[@]}"; do
            echo "run-fuzzers: finding $file; reproduce with: $binary $file" >&2
        done
        return 1
    fi
    echo "$target: $(last_number 'stat::number_of_executed_units:' "$log") runs in $seconds s" \
        "($(last_number 'stat::average_exec_per_sec:' "$log")/s), coverage $(last_number 'cov:' "$log") edges," \
        "$(last_number 'ft:' "$log") features, corpus $(last_number 'corp:' "$log") inputs"
}

failed=0
run_target position_file_fuzzer position || failed=1
run_target settings_fuzzer settings || failed=1
run_target decimal_text_fuzzer decimal || failed=1
if [ "$failed" -ne 0 ]; then
    echo "run-fuzzers: failed; see the findings and messages above" >&2
    exit 1
fi
