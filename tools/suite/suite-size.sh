#!/usr/bin/env bash
# Prints the size of the test suite of a built preset: the tests ctest runs
# there, how many of them play a scenario, and the lines of test code beside
# the lines of plug-in code they test. Figures that go stale when copied by
# hand are printed here instead.
#
# Usage: suite-size.sh BUILD_DIR
# BUILD_DIR is a built preset's folder (build/debug): its test programs list
# their tests when ctest asks them.
set -euo pipefail

build="${1:?usage: suite-size.sh BUILD_DIR}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
[ -f "$build/CTestTestfile.cmake" ] || { echo "no tests in $build: configure and build it first" >&2; exit 2; }

# "Total Tests: N" closes ctest's listing; a test program not built yet lists nothing.
count() { ctest --test-dir "$build" -N "$@" | awk '/^Total Tests:/ { print $3 }'; }

# Lines of the files git tracks under a folder, of the given kinds.
lines() {
    local folder=$1
    shift
    (cd "$root" && git ls-files -z -- "${@/#/$folder/}" | xargs -0 cat | wc -l)
}

tests=$(count)
scenarios=$(count -R '^scenario\.')
scenario_files=$(find "$root/scenarios" -maxdepth 1 -name '*.scn' | wc -l)
test_lines=$(lines tests '*.cpp' '*.h')
code_lines=$(lines src '*.cpp' '*.h')

echo "Tests in $build: $tests, of which $scenarios play a scenario ($scenario_files files in scenarios/)"
echo "Lines of test code (.cpp and .h under tests/): $test_lines"
echo "Lines of plug-in code (.cpp and .h under src/): $code_lines"
awk -v t="$test_lines" -v c="$code_lines" 'BEGIN { printf "Test lines per line of plug-in code: %.2f\n", t / c }'
[ "$scenarios" = "$scenario_files" ] || { echo "not every scenario file is a test of $build: build it again" >&2; exit 1; }
