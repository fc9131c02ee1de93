#!/usr/bin/env bash
# Says at once whether this user can make and enter the Debian 11 root, so a
# long build does not find out at its end: root can; anyone else needs user
# namespaces in which they may mount, and, while their root is still to be
# made, the subordinate ids mmdebstrap maps there (/etc/subuid, /etc/subgid,
# newuidmap and newgidmap).
#
# Usage: check-access.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/root-settings.sh"

[ "$(id -u)" -ne 0 ] || exit 0
user=$(id -un)
if ! why=$(unshare "${ROOT_USER_NAMESPACE[@]}" --mount --pid --kill-child -- mount -t proc proc /proc 2>&1); then
    echo "This machine does not let $user mount in a user namespace of their own ($why)." >&2
    echo "The release lin.xpl is built in a Debian 11 root that a user who is not root enters that way:" >&2
    echo "allow user namespaces (kernel.unprivileged_userns_clone=1, and on Ubuntu" >&2
    echo "kernel.apparmor_restrict_unprivileged_userns=0), or run this as root." >&2
    exit 1
fi
if [ ! -f "$ROOT_STAMP" ] || [ "$(cat "$ROOT_STAMP")" != "$ROOT_STAMP_TEXT" ]; then
    if ! why=$(unshare --user --map-auto -- true 2>&1); then
        echo "$user cannot map subordinate ids in a user namespace ($why)," >&2
        echo "which making the Debian 11 root at $ROOT_DIR needs (mmdebstrap's unshare mode):" >&2
        echo "give $user a range in /etc/subuid and /etc/subgid (sudo usermod --add-subuids 100000-165535" >&2
        echo "--add-subgids 100000-165535 $user) and install newuidmap (sudo apt-get install uidmap), or run this as root." >&2
        exit 1
    fi
fi
