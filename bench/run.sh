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
. scripts/wine-session.sh
session_begin_session
trap 'session_end_session' EXIT

bin=build/windows/bin
seconds=${LANZHI_BENCH_SECONDS:-10}
long_seconds=${LANZHI_BENCH_LONG_SECONDS:-600}
paces=${LANZHI_BENCH_PACES:-"1 2 5 10 15 16 20 33 50 100 1000"}
parts=${LANZHI_BENCH_PARTS:-"pace footprint"}

# The program's figures as Linux sees its Wine process: CPU ticks (10 ms),
# resident and private memory, threads and open descriptors.
last_ticks="" last_time=""
linux_figures() {
  local pid ticks now rss private threads fds cpu=""
  pid=""
  for candidate in $(pgrep -f '岚指智能鼠标点击器\.exe' || true); do
    [ "$(cat "/proc/$candidate/comm" 2>/dev/null)" = bash ] || { pid=$candidate; break; }
  done
  [ -n "$pid" ] || { echo "linux: program not found"; return; }
  ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  now=$(date +%s.%N)
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  private=$(awk '/^Private_(Clean|Dirty)/ {s += $2} END {print s}' "/proc/$pid/smaps_rollup")
  threads=$(awk '/^Threads/ {print $2}' "/proc/$pid/status")
  fds=$(ls "/proc/$pid/fd" | wc -l)
  if [ -n "$last_ticks" ]; then
    cpu=$(awk -v t="$((ticks - last_ticks))" -v a="$last_time" -v b="$now" \
      'BEGIN {printf ", CPU since last mark %.3f %%", t * 10 / ((b - a) * 1000) * 100}')
  fi
  last_ticks=$ticks last_time=$now
  echo "linux [$1]: RSS $rss KiB, private $private KiB, threads $threads, descriptors $fds$cpu"
}

echo "executable: $(stat -c %s "$bin/岚指智能鼠标点击器.exe") bytes"
echo
if [[ " $parts " == *" pace "* ]]; then
printf '%-10s %6s %8s %8s %9s %9s\n' contender pace_ms clicks ratio median_ms p99_ms
for pace in $paces; do
  run=$seconds
  [ "$pace" = 1000 ] && run=$((seconds * 3))
  session_wine "$bin/pace_bench.exe" pace program "$pace" "$run" | tr -d '\r'
  session_wine "$bin/pace_bench.exe" pace reference "$pace" "$run" | tr -d '\r'
  # xdotool as an outside peer: as many clicks as the run asks for, D ms apart.
  count=$(( run * 1000 / pace + 1 ))
  fifo=$(mktemp -u); mkfifo "$fifo"
  session_wine "$bin/pace_bench.exe" pace xdotool "$pace" "$run" 2>/dev/null > "$fifo" &
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
fi
if [[ " $parts " == *" footprint "* ]]; then
  # Line by line as it comes (no buffering filter): a mark is read at once.
  session_wine "$bin/pace_bench.exe" footprint "$long_seconds" | while IFS= read -r line; do
    line=${line%$'\r'}
    case "$line" in
      MARK\ *) linux_figures "${line#MARK }" ;;
      *) echo "$line" ;;
    esac
  done
fi
