#!/usr/bin/env bash
# Installs what is missing, builds the program (not the tests) and starts it
# (optional argument: a book file).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" ledgerwick
exec "${LW_BUILD_DIR:-$root/build}/app/ledgerwick" "$@"
