#!/usr/bin/env bash
# Runs one Windows program in the project's Wine session and passes its exit
# code through. Used as CMAKE_CROSSCOMPILING_EMULATOR and by run.sh.
#   LANZHI_DESKTOP=WxH   size of the Wine virtual desktop (default 1024x768);
#                        none: plain X11 windows under a window manager
set -u
# A 64-bit program needs a 64-bit prefix.
if [ -z "${LANZHI_WINE_ARCH:-}" ] && file -b "${1:-}" 2>/dev/null | grep -q '^PE32+'; then
  export LANZHI_WINE_ARCH=win64
fi
. "$(dirname "$0")/wine-session.sh"
[ $# -ge 1 ] || { echo "usage: wine-run.sh program.exe [args...]" >&2; exit 2; }
session_begin_session || exit 125
trap 'session_end_session' EXIT
trap 'exit 130' INT TERM
session_wine "$@"
