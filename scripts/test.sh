#!/usr/bin/env bash
# Builds Tessaro for both architectures and runs every test under Wine, each architecture in a
# fresh prefix of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
source scripts/wine-env.sh

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(mingw-i686 mingw-x86_64)

status=0
for preset in "${presets[@]}"; do
  echo "== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset: test"
  (
    tessaro_wine_up
    ctest --preset "$preset" --timeout 1500
  ) || status=1
done
exit $status
