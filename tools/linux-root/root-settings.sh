# shellcheck shell=bash
# What the Debian 11 root is and where it lives (sourced, not run).
#
# The release lin.xpl is built on Debian 11 (glibc 2.31) so that it loads on
# every distribution with that C library or a newer one; see the developer's
# guide, "The release Linux module".

# shellcheck disable=SC2034 # used by the scripts that source this file
ROOT_SUITE=bullseye
# What the build and the suite run there need: the stand-in's callgrind switch
# needs valgrind's header, GoogleTest's CMake file names gmock's library too,
# and rsvg-convert makes the player's PNG pictures; ca-certificates lets the
# root's apt reach a package source at an https address.
ROOT_PACKAGES="g++ make cmake libgtest-dev libgmock-dev valgrind librsvg2-bin ca-certificates"
# Changes whenever what the root must hold changes, so an older root is made again.
ROOT_STAMP_TEXT="suite=$ROOT_SUITE packages=$ROOT_PACKAGES layout=2"
# Root keeps one root for the machine; any other user keeps their own, every
# file of it theirs.
if [ "$(id -u)" -eq 0 ]; then
    ROOT_CACHE=${SKYPLACER_ROOT_CACHE:-/var/cache/skyplacer}
else
    ROOT_CACHE=${SKYPLACER_ROOT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/skyplacer}
fi
ROOT_DIR=$ROOT_CACHE/$ROOT_SUITE-root
ROOT_STAMP=$ROOT_DIR/etc/skyplacer-root
# make-root.sh holds it exclusively while it checks or replaces the root, every
# command in the root holds it shared: a root is never replaced under a build.
ROOT_LOCK=$ROOT_CACHE/$ROOT_SUITE-root.lock

# A user who is not root enters the root in a user namespace of their own, as
# its root: the files they own (the root's and the checkout's) are root's there,
# and what the build writes stays theirs.
if [ "$(id -u)" -eq 0 ]; then
    ROOT_USER_NAMESPACE=()
else
    ROOT_USER_NAMESPACE=(--user --map-root-user)
fi

# enter_root ROOT CHECKOUT COMMAND...: runs COMMAND as root inside ROOT, in the
# checkout (mounted at its own path), with /proc, /dev and the host's fast_float
# headers (bullseye has no libfast-float-dev). The mounts live in namespaces of
# their own, so none outlives the command, and neither does any process it
# started, however it ends.
enter_root() {
    local root=$1 checkout=$2
    shift 2
    # shellcheck disable=SC2016 # expanded by the inner shell
    unshare "${ROOT_USER_NAMESPACE[@]}" --mount --propagation private --pid --kill-child -- bash -euc '
        root=$1 checkout=$2
        shift 2
        mount -t proc proc "$root/proc"
        mount --rbind /dev "$root/dev"
        mkdir -p "$root$checkout" "$root/usr/include/fast_float"
        mount --bind "$checkout" "$root$checkout"
        mount --bind -o ro /usr/include/fast_float "$root/usr/include/fast_float"
        exec chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
            TERM="${TERM:-dumb}" CI="${CI:-}" bash -c "cd \"\$1\" && shift && exec \"\$@\"" - "$checkout" "$@"
    ' - "$root" "$checkout" "$@"
}
