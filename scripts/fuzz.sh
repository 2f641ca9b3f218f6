#!/usr/bin/env bash
# Runs every fuzz target of tests/fuzz for SECONDS in all (shared equally), natively with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer, and prints each target's executions and
# findings. Exit status 1 when anything was found; the inputs are kept in build/native-fuzz/findings.
#   bash scripts/fuzz.sh [SECONDS]     (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

missing=()
command -v clang++ >/dev/null 2>&1 || missing+=(clang)
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || missing+=(libclang-rt-dev)
command -v cmake >/dev/null 2>&1 || missing+=(cmake)
command -v ninja >/dev/null 2>&1 || missing+=(ninja-build)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

build=build/native-fuzz
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CXX=clang++ cmake -S tests/fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$build" >/dev/null

targets=(mif lists filters keywords validation)
each=$(( seconds / ${#targets[@]} ))
[ "$each" -gt 0 ] || each=1
total_runs=0
total_findings=0
mkdir -p "$build/findings"
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  cp -n tests/fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
  log="$build/$target.log"
  set +e
  "$build/fuzz_$target" -max_total_time="$each" -max_len=8192 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$target-" "$corpus" >"$log" 2>&1
  status=$?
  set -e
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  runs=${runs:-0}
  findings=0
  if [ "$status" -ne 0 ]; then
    findings=1
    grep -E "ERROR|property broken|SUMMARY" "$log" | head -n 5 | sed 's/^/    /'
  fi
  echo "fuzz_$target: $runs executions in ${each} s, $findings findings"
  total_runs=$((total_runs + runs))
  total_findings=$((total_findings + findings))
done
echo "fuzz: $total_runs executions, $total_findings findings"
[ "$total_findings" -eq 0 ]
