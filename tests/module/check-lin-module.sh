#!/usr/bin/env bash
# Checks lin.xpl's dynamic symbol tables as the simulator's loader sees them:
# it exports exactly the five entry points, leaves exactly the simulator's
# functions (those our API headers declare) undefined for the simulator to
# provide, needs nothing from the stand-in simulator, and carries its own C++
# runtime unless it is a sanitizer build.
#
# Usage: check-lin-module.sh MODULE [--sanitized] API_HEADER...
set -euo pipefail
source "$(dirname "$0")/module-checks.sh"

module=$1
shift
sanitized=0
if [ "${1:-}" = --sanitized ]; then
    sanitized=1
    shift
fi
[ -f "$module" ] || { echo "FAIL: no module at $module" >&2; exit 1; }

if ! readelf -h "$module" 2>/dev/null | grep -qE 'Type:[[:space:]]+DYN'; then
    fail "$module is not a shared object"
    finish "lin.xpl symbol tables"
fi

# Defined dynamic symbols: the entry points and nothing else.
exports=$(nm -D --defined-only "$module" | awk '{ sub(/@.*/, "", $3); print $3 }')
expect_same "exports" "$(words "$ENTRY_POINTS")" "$exports"

# Libraries the module asks the loader for.
needed=$(readelf -d "$module" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
for library in $needed; do
    case $library in
        *skysim*) fail "links the stand-in simulator ($library)" ;;
        libstdc++* | libgcc_s*)
            [ "$sanitized" = 1 ] || fail "needs the shared C++ runtime ($library)" ;;
    esac
done

# Undefined symbols: unversioned strong ones must be the simulator's functions;
# versioned ones come from the system's libraries.
undefined=$(nm -D --undefined-only "$module" | awk '$1 == "U" { print $2 }')
declared=$(declared_functions "$@")
simulator=""
for symbol in $undefined; do
    case $symbol in
        *@GLIBC_*) ;;
        *@GLIBCXX_* | *@CXXABI_*)
            [ "$sanitized" = 1 ] || fail "imports $symbol from the shared C++ runtime" ;;
        *@*) fail "imports $symbol from an unexpected library" ;;
        *skysim*) fail "calls the stand-in simulator's driver ($symbol)" ;;
        *)
            if grep -qxF "$symbol" <<<"$declared"; then
                simulator+="$symbol"$'\n'
            elif [ "$sanitized" = 0 ]; then
                # A sanitizer runtime takes over malloc, string functions and
                # the like unversioned, so only a plain build is held to this.
                fail "leaves $symbol undefined, which the simulator does not provide"
            fi ;;
    esac
done
expect_same "simulator functions left to the loader" "$declared" "$simulator"

finish "lin.xpl symbol tables"
