#!/usr/bin/env bash
pidfile=$1
if [ -f "$pidfile" ]; then
  kill "$(cat "$pidfile")" 2>/dev/null || true
  rm -f "$pidfile"
fi
exit 0
