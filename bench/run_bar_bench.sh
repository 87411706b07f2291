#!/usr/bin/env bash
# Runs the bar window benchmark in one private Wine session and prints its tables:
# start-up, its trace, exit, the database load, idle and handle use.
#   bench/run_bar_bench.sh BUILD_DIR     (the Windows build tree)
# Builds what it needs there first (target bar_bench_programs: the program, the
# traced program, its installer, the driver, the baseline dialog, the probes and
# the database benchmark).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: bench/run_bar_bench.sh BUILD_DIR}
build=$(cd "$build" && pwd)
ninja -j2 -C "$build" bar_bench_programs >/dev/null
export QR_BUILD_DIR=$build QR_SCREENSHOT_DIR=$build/screenshots PYTHONDONTWRITEBYTECODE=1
QR_SESSION_TIMEOUT=${QR_SESSION_TIMEOUT:-1800} \
  exec "$here/../scripts/wine-session.sh" /usr/bin/python3 "$here/bar_startup_bench.py"
