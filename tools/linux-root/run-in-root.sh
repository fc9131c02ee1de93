#!/usr/bin/env bash
# Runs a command in the Debian 11 root, in this checkout (mounted there at its
# own path), as root; without a command, a shell there, to look into a failed
# build by hand.
#
# Usage: run-in-root.sh [COMMAND [ARGUMENT...]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/root-settings.sh"
checkout=$(cd "$here/../.." && pwd)

if [ "$(id -u)" -ne 0 ]; then
    echo "Building in the Debian 11 root ($ROOT_DIR) needs root (chroot): run this again as root, or with sudo." >&2
    exit 1
fi
if [ ! -f "$ROOT_STAMP" ]; then
    echo "There is no Debian 11 root at $ROOT_DIR: tools/linux-root/make-root.sh makes it." >&2
    exit 1
fi
[ $# -gt 0 ] || set -- bash -i
enter_root "$ROOT_DIR" "$checkout" "$@"
