#!/usr/bin/env bash
# Installs what building and running Tessaro needs on Debian, when it is missing:
# the MinGW-w64 cross compilers, a native C++ compiler for the build's own tools, Wine with its
# 32-bit part, Xvfb, CMake, Ninja, GoogleTest sources, ccache, the package tools the build makes the
# sample suite's packages with (wixl for Windows Installer packages, makensis for NSIS setups); with
# the argument "gallery" also ImageMagick for scripts/gallery.sh.
set -euo pipefail

missing=()
have() { command -v "$1" >/dev/null 2>&1; }
have i686-w64-mingw32-g++-posix || missing+=(g++-mingw-w64-i686)
have x86_64-w64-mingw32-g++-posix || missing+=(g++-mingw-w64-x86-64)
have i686-w64-mingw32-widl || missing+=(mingw-w64-tools)
have g++ || missing+=(g++)
have wine || missing+=(wine)
[ -x /usr/lib/wine/wine64 ] || missing+=(wine64)
dpkg -s wine32:i386 >/dev/null 2>&1 || missing+=(wine32:i386)
have Xvfb || missing+=(xvfb)
have xauth || missing+=(xauth)
have cmake || missing+=(cmake)
have ninja || missing+=(ninja-build)
[ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
have python3 || missing+=(python3)
# Compiler output cached across runs of the test command.
have ccache || missing+=(ccache)
# The sample suite's package products and the package tests.
have wixl || missing+=(wixl)
have makensis || missing+=(nsis)
# The gallery turns its pictures into PNG.
if [ "${1:-}" = gallery ]; then
  [ -x /usr/bin/convert ] || missing+=(imagemagick)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
