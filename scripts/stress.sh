#!/usr/bin/env bash
# Loads N mutated descriptions through the engine under Wine (tests/stress), each of which must
# load or fail with a description error within its bound; prints the counts.
#   bash scripts/stress.sh [N] [FIRST_SEED]     (default 1000 cases from seed 1)
# Every case loads a fresh copy of the engine, as a setup host does once per run; the cases run in
# programs of 500, since a process cannot load and unload a DLL with a static runtime for ever.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
source scripts/wine-env.sh
cases=${1:-1000}
seed=${2:-1}
chunk=500

if tessaro_can_run_32bit; then preset=mingw-i686; wine=/usr/lib/wine/wine; else preset=mingw-x86_64; wine=$TESSARO_WINE64; fi
echo "== $preset: $cases stress cases from seed $seed"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target tests_stress Tessaro
tessaro_wine_up

loaded=0
refused=0
for ((first = seed; first < seed + cases; first += chunk)); do
  count=$(( seed + cases - first < chunk ? seed + cases - first : chunk ))
  output=$(TESSARO_STRESS_CASES=$count TESSARO_STRESS_SEED=$first "$wine" "build/$preset/tests_stress.exe" \
             --gtest_color=no --gtest_brief=1 2>&1) || { printf '%s\n' "$output"; echo "stress: FAILED in the cases from seed $first"; exit 1; }
  line=$(printf '%s\n' "$output" | grep '^stress: .* refused' | tail -n 1)
  echo "$line"
  set -- $(printf '%s\n' "$line" | sed -n 's/.*: \([0-9]*\) loaded, \([0-9]*\) refused.*/\1 \2/p')
  loaded=$((loaded + ${1:-0}))
  refused=$((refused + ${2:-0}))
done
echo "stress: $cases cases from seed $seed: $loaded loaded, $refused refused with a description error, none crashed or hung"
