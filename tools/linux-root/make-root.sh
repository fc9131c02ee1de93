#!/usr/bin/env bash
# Makes the Debian 11 root the release lin.xpl is built in, unless a whole one
# is already there: mmdebstrap's minimal system with the packages of
# root-settings.sh, from the Debian archive this machine's apt uses.
#
# mmdebstrap works in a user namespace of its own (its unshare mode), so a user
# who is not root makes the root as well, in their own cache: it hands over a
# tarball, unpacked here as the user, so every file of the root is theirs (and
# root's when root makes it). The root is unpacked in a folder beside its place
# and moved there only when whole, so an interrupted run leaves no root (the
# next one starts again); a root whose stamp or packages are not what
# root-settings.sh says is made again.
#
# Usage: make-root.sh    (SKYPLACER_ROOT_CACHE chooses the cache folder)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/root-settings.sh"

# A root is whole when its stamp is this one and every package is installed.
# shellcheck disable=SC2086,SC2016 # one word a package; dpkg-query's own ${Status}
root_is_whole() {
    [ -f "$ROOT_STAMP" ] && [ "$(cat "$ROOT_STAMP")" = "$ROOT_STAMP_TEXT" ] &&
        dpkg-query --admindir="$ROOT_DIR/var/lib/dpkg" -W -f '${Status}\n' $ROOT_PACKAGES 2>/dev/null |
        awk -v wanted="$(wc -w <<<"$ROOT_PACKAGES")" '$3 == "installed" { whole++ } END { exit whole != wanted }'
}

"$here/check-access.sh"
for tool in mmdebstrap unshare flock tar dpkg-query; do
    command -v "$tool" >/dev/null || { echo "make-root.sh: $tool is not installed" >&2; exit 1; }
done

mkdir -p "$ROOT_CACHE"
exec 9>"$ROOT_LOCK"
# Most runs find the root whole, and need not wait for builds in it to end.
flock --shared 9
if root_is_whole; then exit 0; fi
flock 9
if root_is_whole; then exit 0; fi

# The archive's address, from this machine's own apt sources: the URI of the
# stanza (or line) that serves the host's release, and of its -security suite.
host_suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
archive_uri() {
    local suite=$1
    {
        cat /etc/apt/sources.list.d/*.sources 2>/dev/null || true
        echo
    } | awk -v suite="$suite" '
        /^[[:space:]]*#/ { next }
        /^[[:space:]]*$/ { if (types && uri != "" && found) { print uri; exit } types = 0; uri = ""; found = 0; next }
        /^Types:/ && / deb( |$)/ { types = 1 }
        /^URIs:/ { uri = $2 }
        /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == suite) found = 1 }
    '
    { cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true; } |
        awk -v suite="$suite" '$1 == "deb" { for (i = 2; i < NF; i++) if ($i !~ /^\[/ && $(i + 1) == suite) { print $i; exit } }'
}
mirror=$(archive_uri "$host_suite" | head -n 1)
security=$(archive_uri "$host_suite-security" | head -n 1)
if [ -z "$mirror" ]; then
    echo "make-root.sh: no Debian archive for $host_suite in /etc/apt/sources.list(.d)" >&2
    exit 1
fi

# Removes a root, never while anything is mounted in it: a bind mount of the
# same file system (the checkout) would look like the root's own files. A
# user who is not root can empty a folder only while they may write to it.
remove_root() {
    if awk -v dir="$1" '$5 == dir || index($5, dir "/") == 1 { found = 1 } END { exit !found }' /proc/self/mountinfo; then
        echo "make-root.sh: something is still mounted in $1; unmount it first" >&2
        exit 1
    fi
    [ "$(id -u)" -eq 0 ] || find "$1" -xdev -type d ! -perm -u+w -exec chmod u+w {} +
    rm -rf --one-file-system "$1"
}

# Leftovers of an interrupted run, then the new root beside the old.
for leftover in "$ROOT_DIR".new.*; do
    [ ! -e "$leftover" ] || remove_root "$leftover"
done
new=$ROOT_DIR.new.$$
trap 'remove_root "$new"' EXIT
mkdir "$new"
echo "Making the Debian 11 root in $ROOT_DIR from $mirror"
log=$ROOT_CACHE/$ROOT_SUITE-mmdebstrap.log
sources=("deb $mirror $ROOT_SUITE main" "deb $mirror $ROOT_SUITE-updates main")
[ -z "$security" ] || sources+=("deb $security $ROOT_SUITE-security main")
# No device nodes in the tarball, nor /dev: a user cannot make them, and
# run-in-root.sh mounts the host's /dev there. The files keep their modes
# (/tmp's sticky bit among them) whoever unpacks them.
mmdebstrap --mode=unshare --variant=minbase --format=tar --skip=output/dev --include="$ROOT_PACKAGES" \
    "$ROOT_SUITE" - "${sources[@]}" 2>"$log" | tar -x --preserve-permissions --numeric-owner -C "$new" || {
    tail -n 20 "$log" >&2
    echo "make-root.sh: mmdebstrap failed (whole log: $log)" >&2
    exit 1
}
mkdir "$new/dev"
echo "$ROOT_STAMP_TEXT" >"$new/etc/skyplacer-root"

if [ -d "$ROOT_DIR" ]; then
    remove_root "$ROOT_DIR"
fi
mv "$new" "$ROOT_DIR"
trap - EXIT
echo "Debian 11 root ready: $ROOT_DIR ($(du -sh --one-file-system "$ROOT_DIR" | cut -f1))"
