#!/usr/bin/env bash
# Builds the program and starts it under Wine (on Windows, start the .exe).
# Without a display it runs on the Wine session's own Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target lanzhi_clicker
exec bash scripts/wine-run.sh "build/windows/bin/岚指智能鼠标点击器.exe"
