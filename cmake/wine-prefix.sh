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
    # The display picks a free number itself and writes it once it accepts clients. Neither it,
    # the wineserver nor the programs wineboot starts may hold on to the test's output, or CTest
    # waits for them.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$state" </dev/null >/dev/null 2>&1 &
    echo $! >"$state.pid"
    tries=0
    while [ ! -s "$state" ]; do
      tries=$((tries + 1))
      [ $tries -le 100 ] || { echo "Xvfb did not start" >&2; exit 1; }
      sleep 0.1
    done
    DISPLAY=":$(head -n1 "$state")"
    export DISPLAY
    # The server lingers a minute after the last program: enough between tests, and gone by
    # itself if the run is cut off before the cleanup.
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
