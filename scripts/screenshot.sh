#!/usr/bin/env bash
# Takes a screenshot of the main window in the Wine session (CJK font,
# virtual desktop) and writes it to docs/screenshot.png (or $1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/screenshot.png}
cd "$root"
bash scripts/bootstrap.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target lanzhi_clicker window_probe
. scripts/wine-session.sh
session_begin_session
trap 'session_end_session; rm -rf "$work"' EXIT
work=$(mktemp -d)
cp "build/windows/bin/岚指智能鼠标点击器.exe" "$work/"
# A configuration that asks for no usage notice.
printf '[岚指智能鼠标点击器配置设置]\r\n启动时弹出使用说明=否\r\n' | iconv -f UTF-8 -t GBK > "$work/岚指智能鼠标点击器.ini"
session_wine "$work/岚指智能鼠标点击器.exe" &
app=$!
read -r left top width height < <(session_wine build/windows/bin/window_probe.exe | tr -d '\r')
# Let the cursor read-out settle with the pointer away from the window.
xdotool mousemove 100 100
sleep 1
mkdir -p "$(dirname "$out")"
import -window root -crop "$((width + 20))x$((height + 20))+$((left - 10))+$((top - 10))" "$out"
echo "screenshot: $out"
kill "$app" 2>/dev/null || true
