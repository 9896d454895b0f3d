#!/bin/sh
# The zip for those who want no installer holds marovel-config.exe alone, at its top, as built.
# usage: windows-zip.sh <cmake> <zip> <marovel-config.exe> <scratch folder>
set -eu
. "$(dirname "$0")/checks.sh"
cmake=$1 zip=$2 program=$3 work=$4
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && "$cmake" -E tar xf "$zip")
expect "the zip's files" "./marovel-config.exe" "$(cd "$work" && find . -type f)"
cmp "$program" "$work/marovel-config.exe" || fail "the zip's marovel-config.exe is not the one built"
exit $status
