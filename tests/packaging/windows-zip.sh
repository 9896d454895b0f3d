#!/bin/sh
# The zip for those who want no installer holds marovel-config.exe as built, its licence and the
# notices of the runtime libraries linked into it, all at its top, as text for Windows (CRLF), and
# the administrative template under policies/, as built.
# usage: windows-zip.sh <cmake> <zip> <marovel-config.exe> <scratch folder> <template folder>
set -eu
. "$(dirname "$0")/checks.sh"
cmake=$1 zip=$2 program=$3 work=$4 policies=$5
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && "$cmake" -E tar xf "$zip")
expect "the zip's files" "./LICENSE.txt
./NOTICES.txt
./marovel-config.exe
./policies/QorviAgent.admx
./policies/de-DE/QorviAgent.adml
./policies/en-US/QorviAgent.adml" "$(cd "$work" && find . -type f | LC_ALL=C sort)"
cmp "$program" "$work/marovel-config.exe" || fail "the zip's marovel-config.exe is not the one built"
diff -r "$policies" "$work/policies" || fail "the zip's template is not the one built"
expect "the licence's first line" "MIT License$(printf '\r')" "$(head -n 1 "$work/LICENSE.txt")"
for notice in "License: Expat" "GCC RUNTIME LIBRARY EXCEPTION" "License: ZPL-2.1" "winpthreads"; do
  grep -q "$notice" "$work/NOTICES.txt" || fail "NOTICES.txt lacks $notice"
done
exit $status
