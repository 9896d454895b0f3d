#!/bin/sh
# setup: starts a private Xvfb (Wine needs an X display for windows), makes a fresh Wine prefix
# in $WINEPREFIX on it and keeps its wineserver up for the tests that follow, so that each test
# program starts in a fraction of a second. The display's number goes to $WINEPREFIX.display.
# cleanup: stops that wineserver and the Xvfb.
# usage: wine-prefix.sh setup|cleanup <wine loader> <wineserver>
set -eu
action=$1 loader=$2 server=$3
state="$WINEPREFIX.display"
stop_display() {
  if [ -f "$state.pid" ]; then
    kill "$(cat "$state.pid")" 2>/dev/null || true
    rm -f "$state.pid" "$state"
  fi
}
case $action in
  setup)
    # A server left from an earlier run must not hold the prefix that is removed.
    if [ -d "$WINEPREFIX" ]; then
      "$server" -k 2>/dev/null || true
      "$server" -w
      rm -rf "$WINEPREFIX"
    fi
    stop_display
    mkdir -p "$WINEPREFIX"
    . "$(dirname "$0")/../scripts/xvfb.sh"
    start_xvfb "$state"
    echo "$xvfb_pid" >"$state.pid"
    DISPLAY=":$(head -n1 "$state")"
    export DISPLAY
    # The server lingers a minute after the last program: enough between tests, and gone by
    # itself if the run is cut off before the cleanup. Neither it nor the programs wineboot starts
    # may hold on to the test's output, or CTest waits for them.
    "$server" -p60 </dev/null >/dev/null 2>&1
    log="$WINEPREFIX/wineboot.log"
    # The first program makes the prefix and waits for it. Xvfb has no window manager: unmanaged
    # windows close at once instead of Wine waiting two seconds for a manager to withdraw them.
    "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >"$log" 2>&1 ||
      { cat "$log" >&2; exit 1; }
    ;;
  cleanup)
    "$server" -k 2>/dev/null || true
    stop_display
    ;;
  *)
    echo "usage: $0 setup|cleanup <wine loader> <wineserver>" >&2
    exit 2
    ;;
esac
