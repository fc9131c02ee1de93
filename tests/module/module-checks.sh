# shellcheck shell=bash
# Helpers shared by the module table checks (sourced, not run).
#
# Each check compares a set of names read from a built module with the set the
# project's own files say it must be, and reports every difference by name.

# shellcheck disable=SC2034 # used by the scripts that source this file
ENTRY_POINTS="XPluginDisable XPluginEnable XPluginReceiveMessage XPluginStart XPluginStop"
FAILURES=0

fail() {
    echo "FAIL: $*" >&2
    FAILURES=$((FAILURES + 1))
}

# skip_unless_required REQUIRED WHY: exit code 77 marks a check that cannot
# run here (CTest reports it skipped), but where REQUIRED is 1 it fails.
skip_unless_required() {
    if [ "$1" = 1 ]; then
        echo "FAIL: $2" >&2
        exit 1
    fi
    echo "SKIP: $2"
    exit 77
}

skip_or_fail() { skip_unless_required "${SKYPLACER_REQUIRE_WIN_MODULE:-0}" "$*"; }

# The functions a header declares with C linkage: XPLM*, XP* and gl* names
# at the start of a declaration, one per line, sorted.
declared_functions() {
    grep -hoE '^[A-Za-z_][A-Za-z0-9_ *]*[ *]((XP|gl)[A-Za-z0-9_]+)\(' "$@" |
        grep -oE '(XP|gl)[A-Za-z0-9_]+\($' | tr -d '(' | sort -u
}

# The names after EXPORTS in a module-definition file, sorted.
def_exports() {
    sed -e 's/;.*//' "$1" | awk '/^[[:space:]]*EXPORTS/ { on = 1; next } on && NF { print $1 }' | sort -u
}

words() {
    tr ' ' '\n' <<<"$1" | sed '/^$/d' | sort -u
}

# expect_same WHAT EXPECTED ACTUAL: both newline-separated name lists.
expect_same() {
    local what=$1 expected=$2 actual=$3 name
    for name in $(comm -23 <(sort -u <<<"$expected") <(sort -u <<<"$actual")); do
        fail "$what: missing $name"
    done
    for name in $(comm -13 <(sort -u <<<"$expected") <(sort -u <<<"$actual")); do
        fail "$what: unexpected $name"
    done
}

finish() {
    if [ "$FAILURES" -gt 0 ]; then
        echo "$1: $FAILURES problem(s)" >&2
        exit 1
    fi
    echo "$1: ok"
}
