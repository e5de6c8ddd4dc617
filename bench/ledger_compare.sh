#!/bin/sh
# Times `ledger bal` against bookbench's open plus trial balance on the same
# journal, side by side in one run, and checks that every account's balance
# agrees. bookbench writes the journal for ledger (journal.ledger) and its
# own balances (trial_balance_accounts.txt) into its output folder.
#
#   bench/ledger_compare.sh BOOKBENCH BOOK.acc [OUT]
#
# Run it under `taskset -c 0,1` to measure on two cores.
set -eu
bookbench=$1
book=$2
out=${3:-$(mktemp -d)}
mkdir -p "$out"

if ! command -v ledger >/dev/null 2>&1; then
    echo "ledger is not installed: nothing to compare with" >&2
    exit 0
fi

"$bookbench" "$book" --out "$out" >"$out/bookbench.log"
open=$(sed -n 's/^open: \([0-9.]*\) s$/\1/p' "$out/bookbench.log" | head -n 1)
trial=$(sed -n 's/^trial balance (every account): \([0-9.]*\) s$/\1/p' "$out/bookbench.log")

start=$(date +%s.%N)
ledger -f "$out/journal.ledger" bal --flat --no-total \
    --balance-format '%(account)\t%(quantity(display_total))\n' >"$out/ledger_bal.txt"
end=$(date +%s.%N)

# The same accounts with the same balances, the "Unbalanced" difference
# account of an unbalanced entry left out.
grep -v '^Unbalanced	' "$out/ledger_bal.txt" | sort >"$out/ledger_sorted.txt"
sort "$out/trial_balance_accounts.txt" >"$out/bookbench_sorted.txt"
if cmp -s "$out/ledger_sorted.txt" "$out/bookbench_sorted.txt"; then
    agree="the balances of $(wc -l <"$out/bookbench_sorted.txt") accounts agree"
    status=0
else
    agree="the balances differ (see $out/ledger_sorted.txt and $out/bookbench_sorted.txt)"
    status=1
fi

awk -v open="$open" -v trial="$trial" -v start="$start" -v end="$end" -v agree="$agree" 'BEGIN {
    ours = open + trial; theirs = end - start;
    printf "bookbench open + trial balance: %.3f s (open %.3f s, trial balance %.3f s)\n", ours, open, trial;
    printf "ledger bal:                     %.3f s\n", theirs;
    if (ours > 0) printf "ledger bal / bookbench:         %.1f times\n", theirs / ours;
    print agree;
}'
exit $status
