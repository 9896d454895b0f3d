#!/bin/sh
# Runs marovel-config on a private Xvfb and session bus with the accessibility bus, and checks
# through AT-SPI, as Orca reads it, what each control is called.
# usage: a11y.sh <marovel-config> <marovel-reg> <agent.reg>
set -eu
here=$(dirname "$0")
for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "a11y.sh: $tool is missing (xvfb, dbus, at-spi2-core)" >&2; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' || { echo "a11y.sh: pyatspi (python3-pyatspi) is missing" >&2; exit 1; }
. "$here/../../scripts/xvfb.sh"
work=$(mktemp -d)
start_xvfb "$work/display"
trap 'kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
export MAROVEL_REGISTRY="$work/registry.sqlite3" LC_ALL=de_DE.UTF-8
"$2" import "$3" >/dev/null
DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0 \
  dbus-run-session -- /usr/bin/python3 "$here/a11y_check.py" "$1"
