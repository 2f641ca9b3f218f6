#!/usr/bin/env bash
# Replays the answers that the attended sample run recorded on a machine of its own: a new Wine
# prefix beside the one the other tests share, with the display they use. The attended run (the
# e2e test group) leaves its recording and what it installed in the record folder.
# usage: fresh-machine.sh <wine loader> <tests_e2e.exe> <record folder>
set -euo pipefail
loader=$1 tests=$2 record=$3
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"

if [ ! -f "$record/answers.ini" ] || [ ! -f "$record/machine.txt" ]; then
  echo "fresh-machine: no recording in $record: the attended run of the e2e tests did not finish"
  exit 1
fi

shared_prefix=${WINEPREFIX:-}
trap '[ -z "${fresh:-}" ] || { WINEPREFIX=$fresh wineserver -k >/dev/null 2>&1 || true; rm -rf "$fresh"; }' EXIT
tessaro_fresh_prefix
fresh=$WINEPREFIX
echo "fresh-machine: replaying in the new prefix $fresh (the other tests use ${shared_prefix:-none})"

TESSARO_MACHINE_RECORD=$(tessaro_windows_path "$record")
export TESSARO_MACHINE_RECORD
output=$("$loader" "$tests" --gtest_filter='SampleSuiteTest.DISABLED_*' --gtest_also_run_disabled_tests \
  --gtest_color=no 2>&1) || { echo "$output"; exit 1; }
echo "$output"
# A filter that matched nothing passes too: the replay must have run.
grep -q '^\[  PASSED  \] 1 test\.' <<<"$output"
