# Sourced (sh or bash): start_xvfb DISPLAYFILE starts a private Xvfb (96 DPI, no window manager)
# in the background, as a child of the caller, waits until it accepts clients and sets xvfb_pid;
# the display's number is then in DISPLAYFILE.
start_xvfb() {
  # The server picks a free display itself and writes its number once it accepts clients. It
  # must not hold on to the caller's output, or whoever waits for that output waits for it.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$1" </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  xvfb_tries=0
  while [ ! -s "$1" ]; do
    xvfb_tries=$((xvfb_tries + 1))
    if [ "$xvfb_tries" -gt 100 ]; then
      kill "$xvfb_pid" 2>/dev/null
      echo "Xvfb did not start" >&2
      return 1
    fi
    sleep 0.1
  done
}
