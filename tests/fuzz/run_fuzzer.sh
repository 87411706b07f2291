#!/bin/sh
# Runs one fuzz target for a bounded time over its committed seeds.
#   run_fuzzer.sh TARGET SEED_FOLDER WORK_FOLDER SECONDS
# New inputs go to WORK_FOLDER/corpus/<target> (never into the sources), a
# crashing input to WORK_FOLDER/artifacts/. QR_FUZZ_SECONDS overrides SECONDS
# for longer runs. The exit code is libFuzzer's: non-zero on a crash or a
# broken rule.
set -eu
target=$1
seeds=$2
work=$3
seconds=${QR_FUZZ_SECONDS:-$4}
name=$(basename "$target")

mkdir -p "$work/corpus/$name" "$work/artifacts"
set -- "$work/corpus/$name"
[ -d "$seeds/$name" ] && set -- "$@" "$seeds/$name"
# A dictionary of the format's names helps the mutations where one exists.
dict=$(dirname "$0")/$name.dict
[ -f "$dict" ] && set -- -dict="$dict" "$@"
exec "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/$name-" "$@"
