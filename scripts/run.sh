#!/usr/bin/env bash
# Installs what is missing, builds the program (not the tests) and starts it
# (optional argument: a book file).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The program opens windows: without a display it could not start, so say so
# before minutes of building. QT_QPA_PLATFORM names another way to show them.
if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: neither DISPLAY nor WAYLAND_DISPLAY is set, so the program's windows" >&2
    echo "cannot be shown. Run this script in a desktop session, or under a virtual display:" >&2
    echo "  xvfb-run -a bash $0${*:+ $*}" >&2
    echo "(bash $root/scripts/install-deps.sh installs xvfb-run with the rest.)" >&2
    exit 1
fi
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" ledgerwick
exec "${LW_BUILD_DIR:-$root/build}/app/ledgerwick" "$@"
