#!/usr/bin/env bash
# Runs one Windows program under the project's Wine bench and passes its exit
# code through. Used as CMAKE_CROSSCOMPILING_EMULATOR and by run.sh.
#   LANZHI_DESKTOP=WxH   size of the Wine virtual desktop (default 1024x768)
set -u
. "$(dirname "$0")/wine-bench.sh"
[ $# -ge 1 ] || { echo "usage: wine-run.sh program.exe [args...]" >&2; exit 2; }
bench_begin_session || exit 125
trap 'bench_end_session' EXIT
trap 'exit 130' INT TERM
wine "$@"
