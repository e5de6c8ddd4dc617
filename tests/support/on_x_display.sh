#!/bin/sh
# Runs a window test on a virtual X display, whose clipboard nobody owns; skipped without xvfb-run.
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing (Debian package xvfb)"; exit 77; }
LW_TEST_ON_X=1 exec xvfb-run -a "$@"
