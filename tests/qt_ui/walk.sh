#!/bin/sh
# Runs the Qt walk on a private Xvfb of its own: real input needs a real X server with XTest.
# usage: walk.sh <qt_walk_test> [arguments...]
set -eu
command -v Xvfb >/dev/null || { echo "walk.sh: Xvfb (xvfb) is missing" >&2; exit 1; }
. "$(dirname "$0")/../../scripts/xvfb.sh"
display_file=$(mktemp)
start_xvfb "$display_file"
trap 'kill "$xvfb_pid" 2>/dev/null; rm -f "$display_file"' EXIT
DISPLAY=":$(head -n1 "$display_file")" QT_QPA_PLATFORM=xcb "$@"
