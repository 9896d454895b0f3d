#!/bin/sh
# The .deb as CPack makes it: its control fields, exactly its files (nothing of the Windows
# build), no lintian error or unexplained warning; unpacked into a throw-away root (dpkg -x),
# marovel-reg answers /? and marovel-config starts offscreen from there, on a store whose
# e-mail address it repairs as its window loads.
# usage: deb-package.sh <cpack> <build folder> <scratch folder> <version> <maintainer>
set -eu
. "$(dirname "$0")/checks.sh"
need_tools dpkg-deb dpkg-shlibdeps lintian timeout
cpack=$1 build=$2 work=$3 version=$4 maintainer=$5

rm -rf "$work"
mkdir -p "$work"
"$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; echo "cpack failed" >&2; exit 1; }
deb="$work/out/marovel-config_${version}_amd64.deb"
[ -f "$deb" ] || { ls -l "$work/out" >&2; echo "no $deb" >&2; exit 1; }

expect "control fields" "marovel-config
$version
amd64
admin
optional
$maintainer
qt6-translations-l10n" "$(dpkg-deb -f "$deb" Package Version Architecture Section Priority Maintainer Recommends |
  sed 's/^[A-Za-z]*: //')"
# dpkg-shlibdeps's findings, without their versions.
expect "dependencies" "libc6
libgcc-s1
libqt6core6
libqt6gui6
libqt6widgets6
libsqlite3-0
libstdc++6" "$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' | sort)"

# Every file with its mode and owner: the programs, the menu entry, the icons, the manual pages,
# the AppStream data, Debian's documents, and the store's folder, readable by all.
expect "files" "drwxr-xr-x root/root ./usr/
drwxr-xr-x root/root ./usr/bin/
-rwxr-xr-x root/root ./usr/bin/marovel-config
-rwxr-xr-x root/root ./usr/bin/marovel-reg
drwxr-xr-x root/root ./usr/share/
drwxr-xr-x root/root ./usr/share/applications/
-rw-r--r-- root/root ./usr/share/applications/de.marovel.configmanager.desktop
drwxr-xr-x root/root ./usr/share/doc/
drwxr-xr-x root/root ./usr/share/doc/marovel-config/
-rw-r--r-- root/root ./usr/share/doc/marovel-config/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/marovel-config/copyright
drwxr-xr-x root/root ./usr/share/icons/
drwxr-xr-x root/root ./usr/share/icons/hicolor/
drwxr-xr-x root/root ./usr/share/icons/hicolor/128x128/
drwxr-xr-x root/root ./usr/share/icons/hicolor/128x128/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/128x128/apps/marovel-config.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/16x16/
drwxr-xr-x root/root ./usr/share/icons/hicolor/16x16/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/16x16/apps/marovel-config.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/24x24/
drwxr-xr-x root/root ./usr/share/icons/hicolor/24x24/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/24x24/apps/marovel-config.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/256x256/
drwxr-xr-x root/root ./usr/share/icons/hicolor/256x256/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/256x256/apps/marovel-config.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/32x32/
drwxr-xr-x root/root ./usr/share/icons/hicolor/32x32/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/32x32/apps/marovel-config.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/48x48/apps/marovel-config.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/64x64/
drwxr-xr-x root/root ./usr/share/icons/hicolor/64x64/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/64x64/apps/marovel-config.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/scalable/
drwxr-xr-x root/root ./usr/share/icons/hicolor/scalable/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/marovel-config.svg
drwxr-xr-x root/root ./usr/share/man/
drwxr-xr-x root/root ./usr/share/man/man1/
-rw-r--r-- root/root ./usr/share/man/man1/marovel-config.1.gz
-rw-r--r-- root/root ./usr/share/man/man1/marovel-reg.1.gz
drwxr-xr-x root/root ./usr/share/metainfo/
-rw-r--r-- root/root ./usr/share/metainfo/de.marovel.configmanager.metainfo.xml
drwxr-xr-x root/root ./var/
drwxr-xr-x root/root ./var/lib/
drwxr-xr-x root/root ./var/lib/marovel/" "$(dpkg-deb -c "$deb" | awk '{print $1, $2, $6}' | sort -k3)"

# Lintian: no error and no warning. (It notes, as information only, the .comment sections and
# that the programs call no fortified functions.)
lintian --fail-on error,warning "$deb" || fail "lintian found errors or warnings (above)"

root="$work/root"
dpkg -x "$deb" "$root"
expect "the changelog's version" "marovel-config ($version) unstable; urgency=medium" \
  "$(gzip -dc "$root/usr/share/doc/marovel-config/changelog.gz" | head -n1)"
# The licence, in Debian's machine-readable format.
copyright="$root/usr/share/doc/marovel-config/copyright"
expect "the copyright file's format and licence" "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
License: Expat" "$(grep -e '^Format:' -e '^License:' "$copyright" | sort -u)"
# The menu entry and the AppStream data name what the package brings.
applications="$root/usr/share/applications"
program=$(sed -n 's/^Exec=//p' "$applications/de.marovel.configmanager.desktop")
[ -x "$root/usr/bin/$program" ] || fail "the menu entry starts $program, which the package lacks"
icon=$(sed -n 's/^Icon=//p' "$applications/de.marovel.configmanager.desktop")
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "the menu entry's icon $icon is missing"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' \
  "$root/usr/share/metainfo/de.marovel.configmanager.metainfo.xml")
[ -f "$applications/$launchable" ] || fail "the AppStream data launches $launchable, which the package lacks"

MAROVEL_REGISTRY="$work/store/registry.sqlite3"
export MAROVEL_REGISTRY
mkdir "$work/store"
expect "marovel-reg /?" "Usage: marovel-reg COMMAND ARGUMENTS [/reg:32 | /reg:64]" \
  "$("$root/usr/bin/marovel-reg" /? | head -n1)"
"$root/usr/bin/marovel-reg" add 'HKLM\Software\Qorvi\Agent' /v szEmailAddress /d 'admin%2Dteam@example.com' >/dev/null
# The guard only ends a program that hangs; it starts, loads, shows its window and quits.
QT_QPA_PLATFORM=offscreen MAROVEL_QUIT_WHEN_SHOWN=1 timeout 120 "$root/usr/bin/marovel-config" ||
  fail "marovel-config did not start and quit: status $?"
expect "the store after the start" "
HKEY_LOCAL_MACHINE\\Software\\Qorvi\\Agent
    szEmailAddress    REG_SZ    admin-team@example.com" \
  "$("$root/usr/bin/marovel-reg" query 'HKLM\Software\Qorvi\Agent' /v szEmailAddress)"
exit $status
