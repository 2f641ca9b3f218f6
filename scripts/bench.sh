#!/usr/bin/env bash
# Builds the engine and the speed benchmark (64-bit: wine64 runs on every build machine, also on
# those that cannot run 32-bit programs) and prints every speed figure from one run, in a fresh
# Wine prefix, together with the machine it ran on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# zlib's crc32 is the yardstick of the CRC figure: Debian's MinGW build of zlib, loaded by the
# benchmark alone (the engine never links it).
zlib=/usr/x86_64-w64-mingw32/lib/zlib1.dll
if [ ! -f "$zlib" ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends libz-mingw-w64 >/dev/null
fi
source scripts/wine-env.sh

preset=mingw-x86_64
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target bench_speed sample_suite

tessaro_wine_up
work=$(mktemp -d /tmp/tessaro-bench.XXXXXX)
trap 'rm -rf "$work"; tessaro_wine_down' EXIT

echo "== Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores," \
     "$(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo); $(uname -sr); $(wine64 --version 2>/dev/null || "$TESSARO_WINE64" --version)"
echo "== $preset under wine64; suites of 10, 40 and 160 products with 50 features each"
mkdir "$work/samples"
cp -r "build/$preset/samples/CD1" "build/$preset/samples/CD2" "build/$preset/samples/CD3" "$work/samples/"
"$TESSARO_WINE64" "build/$preset/bench_speed.exe" "$(tessaro_windows_path "$work")" \
  "$(tessaro_windows_path "$zlib")" "$(tessaro_windows_path "$work/samples")"
