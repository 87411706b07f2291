#!/usr/bin/env bash
# Starts Xvfb on a free display and prints ":N". Xvfb itself picks the number
# (-displayfd), so sessions started at the same moment never share a display.
# The pid goes into the file named by $1 so that xvfb-stop.sh can end it.
set -euo pipefail
pidfile=$1
numfile=$(mktemp)
# QR_MONITORS ("1280x800,1024x768"): one screen for each, joined by Xinerama,
# which Wine then lists as that many monitors. Without RandR Wine asks Xinerama.
screens=(-screen 0 "${QR_SCREEN:-1024x768}x24")
if [ -n "${QR_MONITORS:-}" ]; then
  screens=(+xinerama -extension RANDR)
  n=0
  for size in ${QR_MONITORS//,/ }; do
    screens+=(-screen "$n" "${size}x24")
    n=$((n + 1))
  done
fi
Xvfb -displayfd 3 "${screens[@]}" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 1 100); do
  if [ -s "$numfile" ]; then
    n=$(tr -dc '0-9' < "$numfile")
    rm -f "$numfile"
    echo "$pid" > "$pidfile"
    echo ":$n"
    exit 0
  fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill "$pid" 2>/dev/null || true
rm -f "$numfile"
echo "xvfb-start: Xvfb did not start" >&2
exit 1
