#!/usr/bin/env bash
# Builds everything and runs both tiers of tests: the portable core natively
# (with a short fuzzing run) and the Windows-level tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh

FUZZ_SECONDS=${LANZHI_FUZZ_SECONDS:-15}

echo "== native: portable core"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== fuzz: ${FUZZ_SECONDS}s per target"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
for target in build/fuzz/bin/fuzz_*; do
  mkdir -p "build/fuzz/corpus/$(basename "$target")"
  "$target" -max_total_time="$FUZZ_SECONDS" -print_final_stats=0 \
    -artifact_prefix=build/fuzz/ "build/fuzz/corpus/$(basename "$target")" 2>&1 | tail -n 1
done

echo "== windows: the program under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows
. scripts/wine-bench.sh
bench_begin_session
trap 'bench_end_session' EXIT
status=0
ctest --preset windows || status=$?
exit "$status"
