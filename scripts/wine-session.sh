#!/usr/bin/env bash
# Runs one command inside a private Wine session and returns its exit code:
# its own Xvfb display, its own copy of the template prefix (hard links, registry
# files copied), WINEDEBUG=-all, winemenubuilder off and the virtual desktop up.
# Everything it started is stopped at the end, also on failure or timeout.
#   QR_SESSION_TIMEOUT  seconds the command may run (default 600)
#   QR_KEEP_PREFIX=1    keep the prefix for a look afterwards (its path is printed)
#   QR_DPI              the display scale in DPI (96 when unset)
#   QR_SCREEN           the screen and desktop size (1024x768 when unset)
#   QR_MONITORS         several monitors instead ("1280x800,1024x768"): Xvfb
#                       screens joined by Xinerama, and no virtual desktop, which
#                       would be one monitor (the first is the primary one)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-template.sh" || { echo "wine-session: no template prefix" >&2; exit 1; }
template=${QR_WINE_TEMPLATE:-$here/../build/wine-template-3}

session=$(mktemp -d "${TMPDIR:-/tmp}/qr-session.XXXXXX")
prefix=$session/prefix
cp -al "$template" "$prefix"
# Wine rewrites these in place: each session gets its own copies.
for f in system.reg user.reg userdef.reg; do
  rm -f "$prefix/$f"; cp "$template/$f" "$prefix/$f"
done

export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export QR_SESSION_DIR=$session
if ! DISPLAY=$("$here/xvfb-start.sh" "$session/xvfb.pid"); then
  rm -rf "$session"; exit 1
fi
export DISPLAY

cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  "$here/xvfb-stop.sh" "$session/xvfb.pid"
  if [ "${QR_KEEP_PREFIX:-0}" = 1 ]; then
    echo "wine-session: kept $session" >&2
  else
    rm -rf "$session"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The display scale the session's programs see (QR_DPI, 96 when unset): set
# before anything starts, as Wine reads it when a program starts.
if [ -n "${QR_DPI:-}" ] && [ "$QR_DPI" != 96 ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$QR_DPI" /f >/dev/null 2>&1
fi

if [ -n "${QR_MONITORS:-}" ]; then
  # Programs draw straight onto the X screens, and explorer serves as the
  # desktop (with the appbar host) without a window of its own.
  wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
  wine explorer /desktop >/dev/null 2>&1 &
  # Up once a desktop explorer of this prefix runs; a program started before
  # would start a second one of its own.
  ours() { tr '\0' '\n' < "/proc/$1/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix"; }
  up=0
  for _ in $(seq 1 200); do
    for pid in $(pgrep -f 'explorer.exe /desktop'); do ours "$pid" && up=1; done
    [ $up = 1 ] && break
    sleep 0.1
  done
  [ $up = 1 ] || echo "wine-session: no desktop explorer after 20 s" >&2
  timeout --kill-after=10 "${QR_SESSION_TIMEOUT:-600}" "$@"
  exit $?
fi

# Bring the desktop (and with it the taskbar and tray) up before the command
# runs: a test program started before it cannot make its windows. A loaded
# machine can take many seconds here; an explorer that has not brought the
# desktop up after 20 seconds is stopped and started again, three times at most.
desktop_up() { xwininfo -root -tree 2>/dev/null | grep -q -i 'wine desktop\|"Default"'; }
up=0
for attempt in 1 2 3; do
  wine explorer /desktop=Default,"${QR_SCREEN:-1024x768}" >/dev/null 2>&1 &
  for _ in $(seq 1 200); do
    desktop_up && { up=1; break; }
    sleep 0.1
  done
  [ $up = 1 ] && break
  echo "wine-session: no desktop after 20 s (attempt $attempt), starting it again" >&2
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
done
[ $up = 1 ] || echo "wine-session: the desktop did not come up" >&2

timeout --kill-after=10 "${QR_SESSION_TIMEOUT:-600}" "$@"
rc=$?
exit $rc
