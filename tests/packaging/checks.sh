# Sourced by the packaging tests. need_tools TOOL... ends the test when a tool is missing: as a
# failure under CI and as skipped (77) elsewhere, never as a pass. fail and expect note a
# failed check and let the test go on, so that one run shows every difference; the test ends
# with `exit $status`.
status=0
need_tools() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 && continue
    echo "$tool is missing (scripts/packages lists the Debian package that brings it)" >&2
    [ -n "${CI:-}" ] && exit 1
    exit 77
  done
}
fail() {
  echo "$*" >&2
  status=1
}
expect() {  # expect WHAT EXPECTED ACTUAL
  [ "$2" = "$3" ] || fail "$1: expected
$2
got
$3"
}
