#!/usr/bin/env bash
# Loads N mutated descriptions through the engine under Wine (tests/stress), each of which must
# load or fail with a description error within its bound; prints the counts.
#   bash scripts/stress.sh [N] [FIRST_SEED]     (default 1000 cases from seed 1)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
source scripts/wine-env.sh
cases=${1:-1000}
seed=${2:-1}

if tessaro_can_run_32bit; then preset=mingw-i686; wine=/usr/lib/wine/wine; else preset=mingw-x86_64; wine=$TESSARO_WINE64; fi
echo "== $preset: $cases stress cases from seed $seed"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target tests_stress Tessaro
tessaro_wine_up
TESSARO_STRESS_CASES=$cases TESSARO_STRESS_SEED=$seed "$wine" "build/$preset/tests_stress.exe" --gtest_color=no
