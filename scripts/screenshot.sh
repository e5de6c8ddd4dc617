#!/usr/bin/env bash
# Starts the program under a virtual X server with a book, lets it settle and
# saves a picture of its main window, or of one of its ledger or statement windows.
#   scripts/screenshot.sh [-w WINDOW] [-t TEXT] [BOOK] [OUT.png]
# WINDOW (or $LW_SCREENSHOT_WINDOW): journal, t-account, running-balance,
# unbalanced or search, or a statement: trial-balance, income-statement,
# balance-sheet or cash-flow; TEXT (or $LW_SCREENSHOT_TEXT): the ledgers' account
# name (the busiest account when none) or the search text.
# Without BOOK a book of 2,000 journal lines and 60 accounts is generated.
# OUT defaults to screenshots/main_window_app.png (WINDOW_app.png) in the
# build folder ($LW_BUILD_DIR, else build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LW_BUILD_DIR:-$root/build}
window=${LW_SCREENSHOT_WINDOW:-}
text=${LW_SCREENSHOT_TEXT:-}
while getopts "w:t:" opt; do
    case $opt in
    w) window=$OPTARG ;;
    t) text=$OPTARG ;;
    *) echo "usage: $0 [-w WINDOW] [-t TEXT] [BOOK] [OUT.png]" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
book=${1:-}
out=${2:-$build/screenshots/${window:-main_window}_app.png}

if [ ! -x "$build/app/ledgerwick" ] || { [ -z "$book" ] && [ ! -x "$build/bench/bookbench" ]; }; then
    "$root/scripts/build.sh" ledgerwick bookbench
fi
mkdir -p "$(dirname "$out")"
if [ -z "$book" ]; then
    book="$build/screenshots/generated.acc"
    "$build/bench/bookbench" --generate 2000 60 "$book" >/dev/null
fi
rm -f "$out"
# The program writes the picture itself once it has started and opened the book.
LW_SCREENSHOT="$out" LW_SCREENSHOT_WINDOW="$window" LW_SCREENSHOT_TEXT="$text" timeout 60 xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/app/ledgerwick" "$book"
[ -s "$out" ] || { echo "no screenshot written" >&2; exit 1; }
echo "$out"
