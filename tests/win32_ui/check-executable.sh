#!/bin/sh
# marovel-config.exe needs nothing beside it: it imports only Windows's own DLLs, and its
# manifest asks for the highest rights the user has, Common Controls 6 and per-monitor DPI.
# usage: check-executable.sh <objdump> <marovel-config.exe>
set -eu
objdump=$1 program=$2
status=0
imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort)
for dll in $imports; do
  case $dll in
    advapi32.dll | comctl32.dll | comdlg32.dll | gdi32.dll | kernel32.dll | msvcrt.dll | ole32.dll | user32.dll) ;;
    *) echo "imports $dll, which Windows does not bring" >&2; status=1 ;;
  esac
done
for wanted in 'level="highestAvailable"' 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
  '>PerMonitorV2, PerMonitor<'; do
  LC_ALL=C grep -aqF "$wanted" "$program" || { echo "the manifest lacks $wanted" >&2; status=1; }
done
exit $status
