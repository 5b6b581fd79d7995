#!/usr/bin/env bash
# Pace fidelity and footprint figures under Wine. Prints a table; never fails
# on a figure. Where this machine cannot run 32-bit code, the figures come from
# the x86-64 build of the same sources. Run after the README's set-up:
#   bash bench/run.sh                 (about 20 minutes)
#   LANZHI_BENCH_SECONDS=3 LANZHI_BENCH_LONG_SECONDS=30 bash bench/run.sh   (a quick look)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target pace_bench lanzhi_clicker reference_clicker startup_probe >/dev/null
. scripts/wine-session.sh
preset=windows
if [ "$LANZHI_WINE_ARCH" = win64 ]; then
  preset=windows-x64
  echo "this machine cannot run 32-bit code: figures of the x86-64 build"
  cmake --preset windows-x64 >/dev/null
  cmake --build --preset windows-x64 --target pace_bench lanzhi_clicker reference_clicker startup_probe >/dev/null
fi
session_begin_session
trap 'session_end_session' EXIT

bin=build/$preset/bin
seconds=${LANZHI_BENCH_SECONDS:-10}
long_seconds=${LANZHI_BENCH_LONG_SECONDS:-600}
paces=${LANZHI_BENCH_PACES:-"1 2 5 10 15 16 20 33 50 100 1000"}
# Paces run again beside CPU-bound threads (one per core and one more).
loaded_paces=${LANZHI_BENCH_LOADED_PACES:-"1 10 16 50 1000"}
parts=${LANZHI_BENCH_PARTS:-"pace footprint"}

# A process's figures as Linux sees its Wine process: CPU ticks (10 ms),
# resident and private memory, threads and open descriptors.
declare -A last_ticks=() last_time=()
process_figures() {  # label name pattern
  local pid ticks now rss private threads fds cpu=""
  pid=""
  for candidate in $(pgrep -f "$3" || true); do
    [ "$(cat "/proc/$candidate/comm" 2>/dev/null)" = bash ] || { pid=$candidate; break; }
  done
  [ -n "$pid" ] || { echo "linux [$1]: $2 not found"; return; }
  ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  now=$(date +%s.%N)
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  private=$(awk '/^Private_(Clean|Dirty)/ {s += $2} END {print s}' "/proc/$pid/smaps_rollup")
  threads=$(awk '/^Threads/ {print $2}' "/proc/$pid/status")
  fds=$(ls "/proc/$pid/fd" | wc -l)
  if [ -n "${last_ticks[$2]:-}" ]; then
    cpu=$(awk -v t="$((ticks - last_ticks[$2]))" -v a="${last_time[$2]}" -v b="$now" \
      'BEGIN {printf ", CPU since last mark %.3f %%", t * 10 / ((b - a) * 1000) * 100}')
  fi
  last_ticks[$2]=$ticks last_time[$2]=$now
  echo "linux [$1] $2: RSS $rss KiB, private $private KiB, threads $threads, descriptors $fds$cpu"
}
linux_figures() {
  process_figures "$1" program '岚指智能鼠标点击器\.exe'
  # The bare 100 ms cursor timer runs beside the program while it is stopped.
  if pgrep -f 'startup_probe\.exe idle' >/dev/null; then
    process_figures "$1" "bare 100 ms timer" 'startup_probe\.exe idle'
  fi
}

echo "executable: $(stat -c %s "$bin/岚指智能鼠标点击器.exe") bytes (the shipped 32-bit build: $(stat -c %s build/windows/bin/岚指智能鼠标点击器.exe) bytes)"
echo
if [[ " $parts " == *" pace "* ]]; then
printf '%-17s %6s %8s %8s %8s %9s %9s\n' contender pace_ms clicks ratio whole median_ms p99_ms
run_pace() {  # pace [loaded]
  local pace=$1 loaded=${2:-} run=$seconds count fifo counter ready
  [ "$pace" = 1000 ] && run=$((seconds * 3))
  session_wine "$bin/pace_bench.exe" pace program "$pace" "$run" $loaded | tr -d '\r'
  session_wine "$bin/pace_bench.exe" pace reference "$pace" "$run" $loaded | tr -d '\r'
  # xdotool as an outside peer: as many clicks as the run asks for, D ms apart.
  count=$(( run * 1000 / pace + 1 ))
  fifo=$(mktemp -u); mkfifo "$fifo"
  session_wine "$bin/pace_bench.exe" pace xdotool "$pace" "$run" $loaded 2>/dev/null > "$fifo" &
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
}
for pace in $paces; do run_pace "$pace"; done
for pace in $loaded_paces; do run_pace "$pace" loaded; done
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
