#!/usr/bin/env bash
# Starts the program under a virtual X server with a book, lets it settle and
# saves a picture of its main window, or of the window a command opens.
#   scripts/screenshot.sh [BOOK] [OUT.png] [COMMAND]
# COMMAND (or $LW_SCREENSHOT_WINDOW) is a command's control name, e.g.
# TrialBalance, IncomeStatement, Show_Balance or CashFlowMenu.
# Without BOOK a book of 2,000 journal lines and 60 accounts is generated.
# OUT defaults to screenshots/main_window_app.png in the build folder
# ($LW_BUILD_DIR, else build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LW_BUILD_DIR:-$root/build}
book=${1:-}
out=${2:-$build/screenshots/main_window_app.png}
window=${3:-${LW_SCREENSHOT_WINDOW:-}}

if [ ! -x "$build/app/ledgerwick" ] || { [ -z "$book" ] && [ ! -x "$build/bench/bookbench" ]; }; then
    cmake -S "$root" -B "$build" -G Ninja >/dev/null
    cmake --build "$build" --target ledgerwick bookbench
fi
mkdir -p "$(dirname "$out")"
if [ -z "$book" ]; then
    book="$build/screenshots/generated.acc"
    "$build/bench/bookbench" --generate 2000 60 "$book" >/dev/null
fi
rm -f "$out"
# The program writes the picture itself once it has started and opened the book.
LW_SCREENSHOT="$out" LW_SCREENSHOT_WINDOW="$window" timeout 60 xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/app/ledgerwick" "$book"
[ -s "$out" ] || { echo "no screenshot written" >&2; exit 1; }
echo "$out"
