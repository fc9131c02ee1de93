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
# and rsvg-convert makes the player's PNG pictures.
ROOT_PACKAGES="g++ make cmake libgtest-dev libgmock-dev valgrind librsvg2-bin"
# Changes whenever what the root must hold changes, so an older root is made again.
ROOT_STAMP_TEXT="suite=$ROOT_SUITE packages=$ROOT_PACKAGES layout=1"
ROOT_CACHE=${SKYPLACER_ROOT_CACHE:-/var/cache/skyplacer}
ROOT_DIR=$ROOT_CACHE/$ROOT_SUITE-root
ROOT_STAMP=$ROOT_DIR/etc/skyplacer-root

# enter_root ROOT CHECKOUT COMMAND...: runs COMMAND as root inside ROOT, in the
# checkout (mounted at its own path), with /proc, /dev and the host's fast_float
# headers (bullseye has no libfast-float-dev). The mounts live in a mount
# namespace of their own, so none outlives the command, however it ends.
enter_root() {
    local root=$1 checkout=$2
    shift 2
    # shellcheck disable=SC2016 # expanded by the inner shell
    unshare --mount --propagation private -- bash -euc '
        root=$1 checkout=$2
        shift 2
        mount -t proc proc "$root/proc"
        mount --rbind /dev "$root/dev"
        if [ -n "$checkout" ]; then
            mkdir -p "$root$checkout" "$root/usr/include/fast_float"
            mount --bind "$checkout" "$root$checkout"
            mount --bind -o ro /usr/include/fast_float "$root/usr/include/fast_float"
        fi
        exec chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
            TERM="${TERM:-dumb}" CI="${CI:-}" bash -c "cd \"\${1:-/}\" && shift && exec \"\$@\"" - "$checkout" "$@"
    ' - "$root" "$checkout" "$@"
}
