#!/usr/bin/env bash
# The main job: builds the engine and shows what it offers a setup script.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
preset=${1:-mingw-i686}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
objdump=i686-w64-mingw32-objdump
[ "$preset" = mingw-x86_64 ] && objdump=x86_64-w64-mingw32-objdump
dll="build/$preset/Tessaro.dll"
echo "== $dll"
echo "Imports:"
"$objdump" -p "$dll" | sed -n 's/^\tDLL Name: /  /p'
echo "Exports:"
"$objdump" -p "$dll" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^$/{exit} t{print "  " $NF}'
