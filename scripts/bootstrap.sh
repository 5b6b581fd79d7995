#!/usr/bin/env bash
# Installs, from Debian's packages, everything the build, the Wine session and the
# tests need. Idempotent: when everything is present it only checks and exits.
set -euo pipefail

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then echo sudo; else
      echo "bootstrap: missing packages and not root; run as root" >&2; exit 1; fi
  fi
}

# package name -> a file that shows it is installed
declare -A probe=(
  [cmake]=/usr/bin/cmake
  [ninja-build]=/usr/bin/ninja
  [g++]=/usr/bin/g++
  [clang]=/usr/bin/clang++
  [libclang-rt-dev]=/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a
  [googletest]=/usr/src/googletest/CMakeLists.txt
  [libgtest-dev]=/usr/include/gtest/gtest.h
  [g++-mingw-w64-i686-posix]=/usr/bin/i686-w64-mingw32-g++-posix
  [binutils-mingw-w64-i686]=/usr/bin/i686-w64-mingw32-windres
  [g++-mingw-w64-x86-64-posix]=/usr/bin/x86_64-w64-mingw32-g++-posix
  [binutils-mingw-w64-x86-64]=/usr/bin/x86_64-w64-mingw32-windres
  [wine]=/usr/bin/wine
  [wine32:i386]=/usr/lib/wine/wine
  [wine64]=/usr/lib/wine/wine64
  [xvfb]=/usr/bin/Xvfb
  [xauth]=/usr/bin/xauth
  [x11-utils]=/usr/bin/xdpyinfo
  [xdotool]=/usr/bin/xdotool
  [openbox]=/usr/bin/openbox
  [imagemagick]=/usr/bin/import
  [fonts-wqy-microhei]=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
  [fonts-wine]=/usr/share/wine/fonts/marlett.ttf
  [locales]=/usr/sbin/locale-gen
  [file]=/usr/bin/file
  [python3]=/usr/bin/python3
)

missing=()
for pkg in "${!probe[@]}"; do
  [ -e "${probe[$pkg]}" ] || missing+=("$pkg")
done

SUDO=""
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=$(need_root)
  echo "bootstrap: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  for pkg in "${!probe[@]}"; do
    if [ ! -e "${probe[$pkg]}" ]; then
      echo "bootstrap: $pkg installed but ${probe[$pkg]} is missing" >&2; exit 1
    fi
  done
fi

# The ANSI code page under Wine follows the locale: zh_CN.UTF-8 gives 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  SUDO=$(need_root)
  echo "bootstrap: generating zh_CN.UTF-8"
  $SUDO sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
exit 0
