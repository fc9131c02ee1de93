#!/usr/bin/env bash
# Flies the release lin.xpl on glibc 2.31: builds the stand-in, the
# end-to-end tests and the scenario player in the Debian 11 root's release
# build (release-build.sh) and runs them there against the module that build
# lays out in dist/SkyPlacer. Run inside the root (run-in-root.sh).
#
# Usage: release-suite.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/release-build.sh" skyplacer_module e2e_tests skyplacer-player
cd "$here/../../build/bullseye"
# The tests load the build's lin.xpl: it must be the one laid out for shipping.
cmp lin.xpl ../../dist/SkyPlacer/64/lin.xpl
echo "Debian 11 root, $(ldd --version | head -n 1): the end-to-end tests and the scenarios"
tests/e2e_tests --gtest_brief=1
ctest --output-on-failure --parallel 2 --tests-regex '^scenario\.'
