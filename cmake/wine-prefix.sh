#!/bin/sh
# setup: makes a fresh Wine prefix in $WINEPREFIX and keeps its wineserver up for the tests that
# follow, so that each test program starts in a fraction of a second.
# cleanup: stops that wineserver.
# usage: wine-prefix.sh setup|cleanup <wine loader> <wineserver>
set -eu
action=$1 loader=$2 server=$3
case $action in
  setup)
    # A server left from an earlier run must not hold the prefix that is removed.
    if [ -d "$WINEPREFIX" ]; then
      "$server" -k 2>/dev/null || true
      "$server" -w
      rm -rf "$WINEPREFIX"
    fi
    mkdir -p "$WINEPREFIX"
    # The server lingers a minute after the last program: enough between tests, and gone by
    # itself if the run is cut off before the cleanup. Neither it nor the system programs that
    # wineboot starts may hold on to the test's output, or CTest waits for them.
    "$server" -p60 </dev/null >/dev/null 2>&1
    log="$WINEPREFIX/wineboot.log"
    "$loader" wineboot -i </dev/null >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
    ;;
  cleanup)
    "$server" -k 2>/dev/null || true
    ;;
  *)
    echo "usage: $0 setup|cleanup <wine loader> <wineserver>" >&2
    exit 2
    ;;
esac
