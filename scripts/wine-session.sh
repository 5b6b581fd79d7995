# Shared functions of the Wine session: a prefix of the project's own, a Wine
# virtual desktop of a chosen size, and an Xvfb display when there is none.
# Sourced by wine-run.sh, test.sh, run.sh, screenshot.sh and the benchmark.
#   LANZHI_WINE_ARCH=win32|win64  the prefix's kind (default: win32 where this
#                                 machine runs 32-bit code, else win64)

# Some kernels (virtual machines without 32-bit compatibility mode) cannot
# execute 32-bit programs at all; there only wine64 and 64-bit programs run.
session_runs_i386() { [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; }

if [ -z "${LANZHI_WINE_ARCH:-}" ]; then
  if session_runs_i386; then LANZHI_WINE_ARCH=win32; else LANZHI_WINE_ARCH=win64; fi
fi
export LANZHI_WINE_ARCH
SESSION_ARCH=$LANZHI_WINE_ARCH
SESSION_PREFIX=${LANZHI_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/lanzhi-clicker/$SESSION_ARCH}
if [ "$SESSION_ARCH" = win64 ]; then
  # Debian's wine wrapper always picks the 32-bit loader when it is installed.
  SESSION_WINE=/usr/lib/wine/wine64
  export WINELOADER=$SESSION_WINE
else
  SESSION_WINE=wine
fi
session_wine() { "$SESSION_WINE" "$@"; }
SESSION_DESKTOP=${LANZHI_DESKTOP:-1024x768}
# Large enough for every desktop size the tests ask for.
SESSION_SCREEN=${LANZHI_SCREEN:-1920x1080x24}

export WINEPREFIX=$SESSION_PREFIX WINEARCH=$SESSION_ARCH WINEDEBUG=${WINEDEBUG:--all}
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# No Mono/Gecko installer dialogs when the prefix is made.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

session_log() { echo "wine-session: $*" >&2; }

session_server_running() {
  # wineserver's socket lives in /tmp/.wine-UID/server-DEV-INODE of the prefix.
  [ -d "$SESSION_PREFIX" ] || return 1
  local dev ino
  dev=$(stat -c %D "$SESSION_PREFIX") ino=$(printf %x "$(stat -c %i "$SESSION_PREFIX")")
  [ -S "/tmp/.wine-$(id -u)/server-$dev-$ino/socket" ] && pgrep -x wineserver >/dev/null 2>&1
}

session_display_alive() { [ -n "${1:-}" ] && xdpyinfo -display "$1" >/dev/null 2>&1; }

# Starts an Xvfb on a free display number; sets SESSION_XVFB_PID and DISPLAY.
session_start_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "$SESSION_SCREEN" -nolisten tcp -noreset >/dev/null 2>&1 &
    SESSION_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      if session_display_alive ":$n"; then export DISPLAY=":$n"; return 0; fi
      kill -0 "$SESSION_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$SESSION_XVFB_PID" 2>/dev/null; wait "$SESSION_XVFB_PID" 2>/dev/null
  done
  session_log "could not start Xvfb"; return 1
}

# "none": no virtual desktop; every window is a plain X11 window, placed by a
# window manager (session_begin_session starts one).
session_set_desktop_registry() {
  if [ "$1" = none ]; then
    session_wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
    return 0
  fi
  session_wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
  session_wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$1" /f >/dev/null 2>&1
}

# A window manager on the display (EWMH check window on the root).
session_wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

session_start_wm() {
  openbox --sm-disable >/dev/null 2>&1 &
  SESSION_WM_PID=$!
  SESSION_STARTED_WM=1
  local i
  for i in $(seq 1 100); do
    session_wm_running && return 0
    sleep 0.1
  done
  session_log "the window manager did not start"; return 1
}

# Makes the prefix once (under a lock), then keeps the desktop size asked for.
# Must run before the session's wineserver is started.
session_prepare_prefix() {
  mkdir -p "$(dirname "$SESSION_PREFIX")"
  exec 9>"$SESSION_PREFIX.lock"
  flock 9
  if [ ! -f "$SESSION_PREFIX/.session-ready" ]; then
    session_log "creating Wine prefix $SESSION_PREFIX (once)"
    rm -rf "$SESSION_PREFIX"
    session_wine wineboot -i >/dev/null 2>&1 || { session_log "wineboot failed"; flock -u 9; return 1; }
    # Caption buttons need Marlett; Debian's wine does not look in its own fonts folder.
    cp /usr/share/wine/fonts/marlett.ttf "$SESSION_PREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    session_set_desktop_registry "$SESSION_DESKTOP"
    wineserver -w
    echo "$SESSION_DESKTOP" > "$SESSION_PREFIX/.session-desktop"
    touch "$SESSION_PREFIX/.session-ready"
  fi
  if [ "$(cat "$SESSION_PREFIX/.session-desktop" 2>/dev/null)" != "$SESSION_DESKTOP" ]; then
    # The size is read when the desktop starts: the wineserver has to go first.
    session_server_running && wineserver -k
    wineserver -w
    session_set_desktop_registry "$SESSION_DESKTOP"
    wineserver -w
    echo "$SESSION_DESKTOP" > "$SESSION_PREFIX/.session-desktop"
  fi
  flock -u 9
}

# Starts what a Wine session needs and is not there yet; remembers what it
# started so that session_end_session ends exactly that.
session_begin_session() {
  SESSION_STARTED_X=0 SESSION_STARTED_SERVER=0 SESSION_STARTED_WM=0
  if [ -z "${DISPLAY:-}" ]; then
    local recorded
    recorded=$(cat "$SESSION_PREFIX/.session-display" 2>/dev/null || true)
    if [ "$(cat "$SESSION_PREFIX/.session-desktop" 2>/dev/null)" = "$SESSION_DESKTOP" ] &&
       session_server_running && session_display_alive "$recorded"; then
      export DISPLAY=$recorded
    else
      session_prepare_prefix || return 1
      session_start_xvfb || return 1
      SESSION_STARTED_X=1
    fi
  else
    session_server_running || session_prepare_prefix || return 1
  fi
  if [ "$SESSION_DESKTOP" = none ] && ! session_wm_running; then
    session_start_wm || return 1
  fi
  if ! session_server_running; then
    wineserver -p
    SESSION_STARTED_SERVER=1
    echo "$DISPLAY" > "$SESSION_PREFIX/.session-display"
  fi
  return 0
}

session_end_session() {
  if [ "${SESSION_STARTED_WM:-0}" = 1 ] && [ -n "${SESSION_WM_PID:-}" ]; then
    kill "$SESSION_WM_PID" 2>/dev/null || true
    wait "$SESSION_WM_PID" 2>/dev/null || true
  fi
  if [ "${SESSION_STARTED_SERVER:-0}" = 1 ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -f "$SESSION_PREFIX/.session-display"
  fi
  if [ "${SESSION_STARTED_X:-0}" = 1 ] && [ -n "${SESSION_XVFB_PID:-}" ]; then
    kill "$SESSION_XVFB_PID" 2>/dev/null || true
    wait "$SESSION_XVFB_PID" 2>/dev/null || true
  fi
  return 0
}
