#!/usr/bin/env bash
# Checks that lin.xpl loads on every Linux with glibc 2.31 or later: it may ask
# the loader only for the C library's own parts (libc, libm, libdl, libpthread
# and the loader itself) and only for their versions up to GLIBC_2.31; no
# GLIBCXX_, CXXABI_ or GCC_ version (it carries its own C++ runtime). Prints
# the highest glibc version it needs.
#
# Usage: check-lin-glibc.sh MODULE
# Skips (exit 77) when there is no module, unless SKYPLACER_REQUIRE_ARCHIVE=1
# (the shipped module is made with the release archive).
set -euo pipefail
source "$(dirname "$0")/module-checks.sh"

module=$1
newest_allowed=2.31
if [ ! -f "$module" ]; then
    [ "${SKYPLACER_REQUIRE_ARCHIVE:-0}" = 1 ] && { echo "FAIL: no module at $module" >&2; exit 1; }
    echo "SKIP: no module at $module (make dist builds it)"
    exit 77
fi
readelf -h "$module" 2>/dev/null | grep -qE 'Type:[[:space:]]+DYN' || { echo "FAIL: $module is not a shared object" >&2; exit 1; }

for library in $(readelf -d "$module" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    case $library in
        libc.so.6 | libm.so.6 | libdl.so.2 | libpthread.so.0 | ld-linux-x86-64.so.2) ;;
        *) fail "needs $library, which is not part of the C library" ;;
    esac
done

# The versions the module needs, from its version-needs section.
needs=$(readelf -V "$module" | sed -n 's/.*Name: \([^ ]*\) .*Flags.*/\1/p' | sort -u)
highest=none
for need in $needs; do
    case $need in
        GLIBC_[0-9]*)
            version=${need#GLIBC_}
            if [ "$(printf '%s\n' "$version" "$newest_allowed" | sort -V | tail -n 1)" != "$newest_allowed" ]; then
                fail "needs $need, above GLIBC_$newest_allowed"
            fi
            if [ "$highest" = none ] || [ "$(printf '%s\n' "$version" "$highest" | sort -V | tail -n 1)" = "$version" ]; then
                highest=$version
            fi ;;
        GLIBCXX_* | CXXABI_* | GCC_*) fail "needs $need of the shared C++ runtime" ;;
        *) fail "needs $need, which is no glibc release" ;;
    esac
done
echo "highest glibc version needed: GLIBC_$highest"

finish "lin.xpl's C library needs (glibc $newest_allowed or later)"
