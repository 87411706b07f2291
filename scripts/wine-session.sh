#!/usr/bin/env bash
# Runs one command inside a private Wine session and returns its exit code:
# its own Xvfb display, its own copy of the template prefix (hard links, registry
# files copied), WINEDEBUG=-all, winemenubuilder off and the virtual desktop up.
# Everything it started is stopped at the end, also on failure or timeout.
#   QR_SESSION_TIMEOUT  seconds the command may run (default 600)
#   QR_KEEP_PREFIX=1    keep the prefix for a look afterwards (its path is printed)
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

# Bring the desktop (and with it the taskbar and tray) up before the command runs.
# A loaded machine can take many seconds here, and a test program started
# before the desktop is up cannot make its windows: wait up to a minute.
wine explorer /desktop=Default,1024x768 >/dev/null 2>&1 &
for _ in $(seq 1 600); do
  xwininfo -root -tree 2>/dev/null | grep -q -i 'wine desktop\|Default' && break
  sleep 0.1
done

timeout --kill-after=10 "${QR_SESSION_TIMEOUT:-600}" "$@"
rc=$?
exit $rc
