#!/usr/bin/env bash
# Makes the initialised 32-bit Wine prefix that every test session copies.
# wineboot runs once per template, not per test; a lock keeps parallel callers apart.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
template=${QR_WINE_TEMPLATE:-$here/../build/wine-template-3}
mkdir -p "$(dirname "$template")"
exec 9>"$template.lock"
flock 9
[ -f "$template/.ready" ] && exit 0

rm -rf "$template" "$template.tmp"
export WINEPREFIX="$template.tmp" WINEARCH=win32 WINEDEBUG=-all
# No Mono or Gecko can be fetched here: keep their installers from being asked for.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
display=$("$here/xvfb-start.sh" "$template.xvfb")
export DISPLAY=$display
cleanup() { wineserver -k 2>/dev/null || true; "$here/xvfb-stop.sh" "$template.xvfb"; }
trap cleanup EXIT

wineboot -i >/dev/null 2>&1
# Every program of a session runs inside one virtual desktop, which brings a taskbar,
# a notification area and the appbar host with it.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
# The taskbar with its notification area only comes with the shell enabled.
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Default' /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
for dll in winemenubuilder.exe mscoree mshtml; do
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v "$dll" /d "" /f >/dev/null 2>&1
done
wineserver -w
mv "$template.tmp" "$template"
touch "$template/.ready"
