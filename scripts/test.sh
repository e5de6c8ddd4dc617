#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LW_BUILD_DIR:-$root/build}
. "$root/scripts/jobs.sh"
jobs=$(jobs_wanted)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$build"
# The window tests choose their display, fonts and locale themselves. The
# limit only stops a test that hangs: it is far beyond what the longest takes
# on a slow, busy machine.
ctest --output-on-failure --timeout 3600 -j "$jobs"
