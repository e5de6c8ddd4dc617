#!/bin/sh
# Runs a window test program on a virtual X display of its own (xvfb-run)
# instead of offscreen, where the clipboard and the windows are the X
# server's: nothing owns the clipboard there. Skipped, saying why, when
# xvfb-run is missing.
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "xvfb-run is not installed (Debian package xvfb): not run on an X display"
    exit 77
fi
LW_TEST_ON_X=1 exec xvfb-run -a "$@"
