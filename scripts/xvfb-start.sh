#!/usr/bin/env bash
# Starts Xvfb on the first free display number and prints ":N".
# The pid goes into the file named by $1 so that xvfb-stop.sh can end it.
set -euo pipefail
pidfile=$1
for n in $(seq 90 190); do
  [ -e "/tmp/.X$n-lock" ] && continue
  [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 50); do
    if [ -e "/tmp/.X11-unix/X$n" ]; then
      echo "$pid" > "$pidfile"
      echo ":$n"
      exit 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
done
echo "xvfb-start: no free display" >&2
exit 1
