#!/usr/bin/env bash
# Builds everything and runs both tiers of tests: the portable core natively
# (with a short fuzzing run) and the Windows-level tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh

FUZZ_SECONDS=${LANZHI_FUZZ_SECONDS:-15}

echo "== build: the portable core, the fuzz targets and the shipped program"
cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
cmake --preset windows >/dev/null
cmake --build --preset windows

echo "== native: portable core (ASan, UBSan) and the program's PE headers"
ctest --preset native

echo "== fuzz: ${FUZZ_SECONDS}s per target"
for target in build/fuzz/bin/fuzz_*; do
  mkdir -p "build/fuzz/corpus/$(basename "$target")"
  "$target" -max_total_time="$FUZZ_SECONDS" -print_final_stats=0 \
    -artifact_prefix=build/fuzz/ "build/fuzz/corpus/$(basename "$target")" 2>&1 | tail -n 1
done

echo "== reproducible: the program built again in another folder"
bash scripts/check_reproducible.sh

echo "== windows: the program under Wine"
. scripts/wine-session.sh
tier=windows
if [ "$LANZHI_WINE_ARCH" = win64 ]; then
  # The shipped program is 32-bit; a kernel without 32-bit compatibility mode
  # cannot run it. The same sources built for x86-64 then carry the tier.
  echo "== windows: this machine cannot run 32-bit code; the Windows-level tests run on the x86-64 build of the same sources"
  cmake --preset windows-x64 >/dev/null
  cmake --build --preset windows-x64
  tier=windows-x64
fi
session_begin_session

# LANZHI_TEST_LOAD=1: the tier runs beside CPU-bound processes, one per core
# and one more, as on a machine busy with other work.
load_pids=()
end_load() {
  if [ ${#load_pids[@]} -gt 0 ]; then kill "${load_pids[@]}" 2>/dev/null || true; fi
  load_pids=()
}
trap 'end_load; session_end_session' EXIT
if [ "${LANZHI_TEST_LOAD:-0}" = 1 ]; then
  for _ in $(seq 0 "$(nproc)"); do
    ( while :; do :; done ) &
    load_pids+=($!)
  done
  echo "== windows: under load (${#load_pids[@]} CPU-bound processes)"
fi
status=0
ctest --preset "$tier" || status=$?
exit "$status"
