#!/bin/sh
# The Windows installer under Wine, silently: /S installs marovel-config.exe under Program Files
# with a Start-menu entry and an uninstaller and registers it in "Apps & features"; the
# uninstaller removes all of that again. Neither touches the agent's keys, in either view. It
# refuses a folder users may write and a Windows older than 10 version 1703.
# usage: windows-installer.sh <wine loader> <wine-run.sh> <setup.exe> <marovel-config.exe> <version> <template folder>
set -eu
. "$(dirname "$0")/checks.sh"
loader=$1 run=$2 installer=$3 program=$4 version=$5 policies=$6
wine() { sh "$run" "$loader" "$@" </dev/null; }
drive_c="$WINEPREFIX/drive_c"
folder="$drive_c/Program Files/Marovel Configuration Manager"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Marovel Configuration Manager.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\MarovelConfigurationManager'
agent_tree() { wine reg query 'HKLM\Software\Qorvi' /s "/reg:$1" | tr -d '\r'; }

# A value of the agent's in each view, told apart by its data.
for view in 32 64; do
  wine reg add 'HKLM\Software\Qorvi\Agent' /v szEmailAddress /d "view$view@example.com" /f "/reg:$view" >/dev/null
done
agent32=$(agent_tree 32)
agent64=$(agent_tree 64)
printf '%s\n' "$agent32" | grep -qx '    szEmailAddress    REG_SZ    view32@example.com' || fail "32-bit view: $agent32"
printf '%s\n' "$agent64" | grep -qx '    szEmailAddress    REG_SZ    view64@example.com' || fail "64-bit view: $agent64"

# The installer needs Windows 10 version 1703; Wine tells it the Windows each program's name is
# given (Debian's Wine says Windows 7 by default).
windows_for() {  # windows_for PROGRAM VERSION
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$1" /v Version /d "$2" /f >/dev/null
}
windows_for "$(basename "$installer")" win10
windows_for marovel-setup.exe win10

# Refused with a status and nothing installed: a folder users may write (also when named through
# Program Files and ..), and a Windows older than 1703 (ERROR_OLD_WIN_VERSION, 1150, of which
# the Unix status keeps the low byte, 126). A batch file hands /D= over as written.
refused() {  # refused STATUS WHAT ARGUMENTS
  printf '@C:\\marovel-setup.exe %s\r\n@exit /b %%errorlevel%%\r\n' "$3" >"$drive_c/marovel-setup.bat"
  code=0
  wine cmd /c 'C:\marovel-setup.bat' || code=$?
  [ "$code" = "$1" ] || fail "$2: status $code, not $1"
}
cp "$installer" "$drive_c/marovel-setup.exe"
refused 87 "a folder users may write" '/S /D=C:\users\Public\Marovel'
refused 87 "a folder left through .." '/S /D=C:\Program Files\..\users\Public\Marovel'
windows_for marovel-setup.exe win81
refused 126 "Windows 8.1" '/S'
rm -f "$drive_c/marovel-setup.exe" "$drive_c/marovel-setup.bat"
[ ! -e "$drive_c/users/Public/Marovel" ] || fail "a refused installer made C:\users\Public\Marovel"
[ ! -e "$folder" ] || fail "a refused installer made $folder"

wine "$installer" /S || fail "the installer failed: status $?"
cmp "$program" "$folder/marovel-config.exe" || fail "marovel-config.exe is not installed as built"
[ -f "$folder/uninstall.exe" ] || fail "no uninstaller"
diff -r "$policies" "$folder/policies" || fail "the administrative template is not installed as built"
for text in LICENSE.txt NOTICES.txt; do
  [ -f "$folder/$text" ] || fail "no $text beside the program"
done
[ -f "$shortcut" ] || fail "no Start-menu entry"
# Wine lists the values by name.
expect "the Apps & features entry" "
HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MarovelConfigurationManager
    DisplayIcon    REG_SZ    C:\\Program Files\\Marovel Configuration Manager\\marovel-config.exe,0
    DisplayName    REG_SZ    Marovel Configuration Manager
    DisplayVersion    REG_SZ    $version
    InstallLocation    REG_SZ    C:\\Program Files\\Marovel Configuration Manager
    NoModify    REG_DWORD    0x1
    NoRepair    REG_DWORD    0x1
    Publisher    REG_SZ    Marovel
    QuietUninstallString    REG_SZ    \"C:\\Program Files\\Marovel Configuration Manager\\uninstall.exe\" /S
    UninstallString    REG_SZ    \"C:\\Program Files\\Marovel Configuration Manager\\uninstall.exe\"" "$(wine reg query "$uninstall_key" /reg:64 | tr -d '\r')"
# A 64-bit program registers in the 64-bit view only.
wine reg query "$uninstall_key" /reg:32 >/dev/null 2>&1 && fail "the Apps & features entry is in the 32-bit view"
expect "the agent's 32-bit view after installing" "$agent32" "$(agent_tree 32)"
expect "the agent's 64-bit view after installing" "$agent64" "$(agent_tree 64)"

# The quiet uninstall string starts uninstall.exe, which copies itself away and returns at
# once; the copy runs `_?=<folder>`. The test runs that step itself, from a batch file (whose
# line reaches the program as written, and which waits for it), so it knows when it is done.
cp "$folder/uninstall.exe" "$drive_c/marovel-uninstall-copy.exe"
printf '@C:\\marovel-uninstall-copy.exe /S _?=C:\\Program Files\\Marovel Configuration Manager\r\n@exit /b %%errorlevel%%\r\n' \
  >"$drive_c/marovel-uninstall.bat"
wine cmd /c 'C:\marovel-uninstall.bat' || fail "the uninstaller failed: status $?"
rm -f "$drive_c/marovel-uninstall-copy.exe" "$drive_c/marovel-uninstall.bat"
[ ! -e "$folder" ] || fail "the uninstaller left $(ls "$folder")"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu entry"
wine reg query "$uninstall_key" /reg:64 >/dev/null 2>&1 && fail "the uninstaller left the Apps & features entry"
expect "the agent's 32-bit view after uninstalling" "$agent32" "$(agent_tree 32)"
expect "the agent's 64-bit view after uninstalling" "$agent64" "$(agent_tree 64)"
exit $status
