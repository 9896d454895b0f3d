#!/bin/sh
# Runs a Windows program under Wine on the display the prefix was made on.
# usage: wine-run.sh <wine loader> <program.exe> [arguments...]
set -eu
loader=$1
shift
DISPLAY=":$(head -n1 "$WINEPREFIX.display")"
export DISPLAY
exec "$loader" "$@"
