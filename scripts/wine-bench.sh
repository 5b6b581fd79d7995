# Shared functions of the Wine bench: a 32-bit prefix of the project's own, a
# Wine virtual desktop of a chosen size, and an Xvfb display when there is none.
# Sourced by wine-run.sh, test.sh, run.sh and the benchmark.

BENCH_PREFIX=${LANZHI_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/lanzhi-clicker/wine32}
BENCH_DESKTOP=${LANZHI_DESKTOP:-1024x768}
# Large enough for every desktop size the tests ask for.
BENCH_SCREEN=${LANZHI_SCREEN:-1920x1080x24}

export WINEPREFIX=$BENCH_PREFIX WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# No Mono/Gecko installer dialogs when the prefix is made.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

bench_log() { echo "wine-bench: $*" >&2; }

bench_server_running() {
  # wineserver's socket lives in /tmp/.wine-UID/server-DEV-INODE of the prefix.
  [ -d "$BENCH_PREFIX" ] || return 1
  local dev ino
  dev=$(stat -c %D "$BENCH_PREFIX") ino=$(printf %x "$(stat -c %i "$BENCH_PREFIX")")
  [ -S "/tmp/.wine-$(id -u)/server-$dev-$ino/socket" ] && pgrep -x wineserver >/dev/null 2>&1
}

bench_display_alive() { [ -n "${1:-}" ] && xdpyinfo -display "$1" >/dev/null 2>&1; }

# Starts an Xvfb on a free display number; sets BENCH_XVFB_PID and DISPLAY.
bench_start_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "$BENCH_SCREEN" -nolisten tcp -noreset >/dev/null 2>&1 &
    BENCH_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      if bench_display_alive ":$n"; then export DISPLAY=":$n"; return 0; fi
      kill -0 "$BENCH_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$BENCH_XVFB_PID" 2>/dev/null; wait "$BENCH_XVFB_PID" 2>/dev/null
  done
  bench_log "could not start Xvfb"; return 1
}

bench_set_desktop_registry() {
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$1" /f >/dev/null 2>&1
}

# Makes the prefix once (under a lock), then keeps the desktop size asked for.
# Must run before the session's wineserver is started.
bench_prepare_prefix() {
  mkdir -p "$(dirname "$BENCH_PREFIX")"
  exec 9>"$BENCH_PREFIX.lock"
  flock 9
  if [ ! -f "$BENCH_PREFIX/.bench-ready" ]; then
    bench_log "creating Wine prefix $BENCH_PREFIX (once)"
    rm -rf "$BENCH_PREFIX"
    wineboot -i >/dev/null 2>&1 || { bench_log "wineboot failed"; flock -u 9; return 1; }
    # Caption buttons need Marlett; Debian's wine does not look in its own fonts folder.
    cp /usr/share/wine/fonts/marlett.ttf "$BENCH_PREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    bench_set_desktop_registry "$BENCH_DESKTOP"
    wineserver -w
    echo "$BENCH_DESKTOP" > "$BENCH_PREFIX/.bench-desktop"
    touch "$BENCH_PREFIX/.bench-ready"
  fi
  if [ "$(cat "$BENCH_PREFIX/.bench-desktop" 2>/dev/null)" != "$BENCH_DESKTOP" ]; then
    # The size is read when the desktop starts: the wineserver has to go first.
    bench_server_running && wineserver -k
    wineserver -w
    bench_set_desktop_registry "$BENCH_DESKTOP"
    wineserver -w
    echo "$BENCH_DESKTOP" > "$BENCH_PREFIX/.bench-desktop"
  fi
  flock -u 9
}

# Starts what a bench session needs and is not there yet; remembers what it
# started so that bench_end_session ends exactly that.
bench_begin_session() {
  BENCH_STARTED_X=0 BENCH_STARTED_SERVER=0
  if [ -z "${DISPLAY:-}" ]; then
    local recorded
    recorded=$(cat "$BENCH_PREFIX/.bench-display" 2>/dev/null || true)
    if [ "$(cat "$BENCH_PREFIX/.bench-desktop" 2>/dev/null)" = "$BENCH_DESKTOP" ] &&
       bench_server_running && bench_display_alive "$recorded"; then
      export DISPLAY=$recorded
    else
      bench_prepare_prefix || return 1
      bench_start_xvfb || return 1
      BENCH_STARTED_X=1
    fi
  else
    bench_server_running || bench_prepare_prefix || return 1
  fi
  if ! bench_server_running; then
    wineserver -p
    BENCH_STARTED_SERVER=1
    echo "$DISPLAY" > "$BENCH_PREFIX/.bench-display"
  fi
  return 0
}

bench_end_session() {
  if [ "${BENCH_STARTED_SERVER:-0}" = 1 ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -f "$BENCH_PREFIX/.bench-display"
  fi
  if [ "${BENCH_STARTED_X:-0}" = 1 ] && [ -n "${BENCH_XVFB_PID:-}" ]; then
    kill "$BENCH_XVFB_PID" 2>/dev/null || true
    wait "$BENCH_XVFB_PID" 2>/dev/null || true
  fi
  return 0
}
