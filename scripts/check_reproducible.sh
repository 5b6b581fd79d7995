#!/usr/bin/env bash
# Builds the program a second time, from a copy of the sources in another
# folder (of another name and length), and compares its bytes with the
# program in build/windows. Run after the windows preset is built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program="build/windows/bin/岚指智能鼠标点击器.exe"
[ -f "$root/$program" ] || { echo "reproducible: build the windows preset first" >&2; exit 1; }

work=$(mktemp -d /tmp/lanzhi-second-build.XXXXXX)
trap 'rm -rf "$work"' EXIT
other="$work/另一处/源码"
mkdir -p "$other"
cd "$root"
git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' file; do
  [ -e "$file" ] && cp --parents -- "$file" "$other/"
done
(cd "$other" && cmake --preset windows -DLANZHI_TESTS=OFF >/dev/null &&
  cmake --build --preset windows --target lanzhi_clicker >/dev/null)
if cmp -s "$root/$program" "$other/$program"; then
  echo "reproducible: the second build is byte-identical ($(stat -c %s "$root/$program") bytes, sha256 $(sha256sum "$root/$program" | cut -c1-16)...)"
else
  echo "reproducible: the second build differs:" >&2
  cmp "$root/$program" "$other/$program" | head -n 5 >&2 || true
  exit 1
fi
