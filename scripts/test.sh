#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
# LW_SANITIZE=1: the same tests under AddressSanitizer and UBSan, built in
# build-sanitize/ (or $LW_BUILD_DIR), never mixed with the plain build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/jobs.sh"
jobs=$(jobs_wanted)
case ${LW_SANITIZE:-0} in
0) options=(-DLW_SANITIZE=OFF) default_build=$root/build ;;
1) options=(-DLW_SANITIZE=ON) default_build=$root/build-sanitize ;;
*)
    echo "LW_SANITIZE must be 1 (or 0), not '$LW_SANITIZE'" >&2
    exit 1
    ;;
esac
export LW_BUILD_DIR=${LW_BUILD_DIR:-$default_build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "${options[@]}"
cd "$LW_BUILD_DIR"
# The window tests choose their display, fonts and locale themselves. The
# limit only stops a test that hangs: it is far beyond what the longest takes
# on a slow, busy machine.
ctest --output-on-failure --timeout 3600 -j "$jobs"
