#!/usr/bin/env bash
# Saves what the X display $DISPLAY shows (the Wine virtual desktop) as a PNG.
#   scripts/screenshot.sh OUT.png
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: $0 OUT.png" >&2
  exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "screenshot: DISPLAY is not set" >&2
  exit 1
fi
out=$1
mkdir -p "$(dirname "$out")"
# Write beside the target and rename, so nobody ever sees half a picture.
tmp="$out.tmp.$$.png"
trap 'rm -f "$tmp"' EXIT
import -display "$DISPLAY" -window root "$tmp"
mv -f "$tmp" "$out"
