#!/usr/bin/env bash
# ctest's emulator for Windows programs: one private Wine session per run.
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/wine-session.sh" wine "$@"
