#!/usr/bin/env bash
# Pace fidelity and footprint figures under the Wine bench. Prints a table;
# never fails on a figure. Run after the README's set-up:
#   bash bench/run.sh                 (about 20 minutes)
#   LANZHI_BENCH_SECONDS=3 LANZHI_BENCH_LONG_SECONDS=30 bash bench/run.sh   (a quick look)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target pace_bench lanzhi_clicker reference_clicker >/dev/null
. scripts/wine-bench.sh
bench_begin_session
trap 'bench_end_session' EXIT

bin=build/windows/bin
seconds=${LANZHI_BENCH_SECONDS:-10}
long_seconds=${LANZHI_BENCH_LONG_SECONDS:-600}
paces=${LANZHI_BENCH_PACES:-"1 2 5 10 15 16 20 33 50 100 1000"}

echo "executable: $(stat -c %s "$bin/岚指智能鼠标点击器.exe") bytes"
echo
printf '%-10s %6s %8s %8s %9s %9s\n' contender pace_ms clicks ratio median_ms p99_ms
for pace in $paces; do
  run=$seconds
  [ "$pace" = 1000 ] && run=$((seconds * 3))
  wine "$bin/pace_bench.exe" pace program "$pace" "$run" | tr -d '\r'
  wine "$bin/pace_bench.exe" pace reference "$pace" "$run" | tr -d '\r'
  # xdotool as an outside peer: as many clicks as the run asks for, D ms apart.
  count=$(( run * 1000 / pace + 1 ))
  fifo=$(mktemp -u); mkfifo "$fifo"
  wine "$bin/pace_bench.exe" pace xdotool "$pace" "$run" 2>/dev/null > "$fifo" &
  counter=$!
  exec 7<"$fifo"
  if read -r -t 60 ready <&7 && [ "${ready%$'\r'}" = ready ]; then
    xdotool mousemove 180 145
    xdotool click --repeat "$count" --delay "$pace" 1
  fi
  tr -d '\r' <&7
  exec 7<&-
  wait "$counter" || true
  rm -f "$fifo"
done
echo
wine "$bin/pace_bench.exe" footprint "$long_seconds" | tr -d '\r'
