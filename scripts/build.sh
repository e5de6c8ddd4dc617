#!/usr/bin/env bash
# Configures and builds the project into build/ (or $LW_BUILD_DIR).
#   scripts/build.sh [-DOPTION=VALUE...] [TARGET...]
# LW_JOBS=N sets how many compiler jobs run at once (default: one per processor).
# Options go to the configuration; with targets, only those and what they need
# are built, otherwise everything (the program, tests and benchmarks).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LW_BUILD_DIR:-$root/build}
. "$root/scripts/jobs.sh"
jobs=$(jobs_wanted)
options=()
targets=()
for arg in "$@"; do
    case $arg in
    -*) options+=("$arg") ;;
    *) targets+=(--target "$arg") ;;
    esac
done
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${options[@]+"${options[@]}"} >/dev/null
cmake --build "$build" --parallel "$jobs" ${targets[@]+"${targets[@]}"}
