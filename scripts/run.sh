#!/usr/bin/env bash
# `make run`: installs the freshly built program with its own installer into a
# Wine prefix under your home folder and starts it. On $DISPLAY when there is
# one; otherwise on a private Xvfb display inside the Wine virtual desktop, with
# a screenshot written after start-up. Ctrl-C ends the program and the session.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/win32}" && pwd)
setup=$build/Orvantis-Setup.exe
[ -f "$setup" ] || { echo "run: $setup is missing; build first (make win)" >&2; exit 1; }

export WINEPREFIX=${QR_RUN_PREFIX:-$HOME/.orvantis-quickrail/wineprefix}
export WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

"$here/wine-template.sh"
template=${QR_WINE_TEMPLATE:-$here/../build/wine-template-3}
if [ ! -f "$WINEPREFIX/.ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  rm -rf "$WINEPREFIX"
  cp -a "$template" "$WINEPREFIX"
fi

xvfb_pid_file=
if [ -z "${DISPLAY:-}" ]; then
  xvfb_pid_file=$(mktemp)
  DISPLAY=$("$here/xvfb-start.sh" "$xvfb_pid_file")
  export DISPLAY
  echo "run: private display $DISPLAY"
fi

program_pid=
cleanup() {
  trap - INT TERM EXIT
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  [ -n "$xvfb_pid_file" ] && "$here/xvfb-stop.sh" "$xvfb_pid_file"
  echo "run: ended"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

wine "$setup" /S
installdir=$(wine reg query 'HKCU\SOFTWARE\Orvantis Software' /v InstallDir 2>/dev/null \
  | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p')
[ -n "$installdir" ] || { echo "run: the installer wrote no InstallDir" >&2; exit 1; }
echo "run: installed into $installdir (prefix $WINEPREFIX)"

wine explorer /desktop=Default,1024x768 >/dev/null 2>&1 &
wine "$installdir\\Orvantis.exe" &
program_pid=$!

if [ -n "$xvfb_pid_file" ]; then
  sleep 8
  shot=$build/screenshots/run.png
  mkdir -p "$(dirname "$shot")"
  import -window root "$shot" && echo "run: screenshot $shot"
fi
echo "run: Orvantis is running; Ctrl-C ends it"
wait "$program_pid" || true
