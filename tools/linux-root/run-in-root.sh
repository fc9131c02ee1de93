#!/usr/bin/env bash
# Runs a command in the Debian 11 root, in this checkout (mounted there at its
# own path), as root there (a user who is not root enters it in a user
# namespace of their own, and what the command writes stays theirs); without a
# command, a shell there, to look into a failed build by hand. It holds the
# root's lock shared meanwhile, so make-root.sh from another checkout does not
# replace the root under it.
#
# Usage: run-in-root.sh [COMMAND [ARGUMENT...]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/root-settings.sh"
checkout=$(cd "$here/../.." && pwd)

"$here/check-access.sh"
mkdir -p "$ROOT_CACHE"
exec 9>"$ROOT_LOCK"
flock --shared 9
if [ ! -f "$ROOT_STAMP" ]; then
    echo "There is no Debian 11 root at $ROOT_DIR: tools/linux-root/make-root.sh makes it." >&2
    exit 1
fi
[ $# -gt 0 ] || set -- bash -i
enter_root "$ROOT_DIR" "$checkout" "$@"
