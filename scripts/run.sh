#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program (optional argument: a book file).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
exec "${LW_BUILD_DIR:-$root/build}/app/ledgerwick" "$@"
