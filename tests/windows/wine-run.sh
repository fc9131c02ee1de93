#!/bin/bash
# Runs a Windows program of the test build under wine:
#   wine-run.sh WINEPREFIX PROGRAM [ARGUMENTS...]
# The wine prefix (a Windows installation of its own) lives in the build
# folder and is made at the first run. No display is needed: the programs
# are console programs. opengl32.dll is the stand-in's, beside the program,
# never wine's own: with "native only", a missing one fails the load.
set -euo pipefail

export WINEPREFIX=$1
shift
export WINEDEBUG=-all
export WINEDLLOVERRIDES="opengl32=n;mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
if [ ! -x "$wine" ]; then
    echo "wine-run.sh: wine64 is not installed (apt-get install wine64)" >&2
    exit 1
fi

# One run makes the prefix; parallel runs wait for it.
mkdir -p "$(dirname "$WINEPREFIX")"
{
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$wine" wineboot --init >/dev/null 2>&1 || true
        "$(dirname "$wine")/wineserver" -w 2>/dev/null || true
    fi
} 9>"$WINEPREFIX.lock"

# The program runs in this very Linux process (exec keeps its number): the
# stand-in reads its threads' states there (sim/src/Platform.cpp).
export SKYSIM_UNIX_PID=$$
exec "$wine" "$@"
