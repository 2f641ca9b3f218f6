#!/usr/bin/env bash
# Builds Tessaro for both architectures and runs every test under Wine, and a short pass of the
# native fuzz targets. On a machine that cannot run 32-bit programs the i686 build is checked
# without running it (export table, imports, calling convention) and says so.
#
# Both architectures are built first, one after the other (each build uses every core); then their
# tests run, every test entry on a Wine machine of its own (a copy of one booted prefix, with a
# display of its own), several at once, with the fuzz pass beside them: waits on windows and
# processes overlap other entries' work. Compiler output is cached across runs (ccache,
# keyed on paths relative to this checkout, so a fresh clone in another folder reuses it).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
source scripts/wine-env.sh

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(mingw-i686 mingw-x86_64)

configure_args=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
  configure_args=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

status=0
skipped=""
runnable=()
for preset in "${presets[@]}"; do
  cmake --preset "$preset" "${configure_args[@]}" >/dev/null
  if [ "$preset" = mingw-i686 ] && ! tessaro_can_run_32bit; then
    # Test programs that cannot run here are not built either: only what the checks read.
    echo "== $preset: build (the engine, the host, the authoring tool and the sample suite)"
    cmake --build --preset "$preset" --target Tessaro TessaroSetup tessaro-tool sample_suite
    echo "== $preset: the checks that run no program"
    ctest --preset "$preset" -L static || status=1
    skipped="i686 Wine tests SKIPPED (not run, not counted as passed): $TESSARO_32BIT_WHY; the i686 build was checked without running it"
    continue
  fi
  echo "== $preset: build"
  cmake --build --preset "$preset"
  runnable+=("$preset")
done

# The pure parsing code, natively under the sanitizers: a short pass of every fuzz target. It
# runs beside the Wine tests, which leave the processors idle much of the time.
echo "== native: fuzz targets, a short pass (beside the tests; its output follows theirs)"
bash scripts/fuzz.sh 60 >build/fuzz-run.log 2>&1 &
fuzz_pid=$!

# Each architecture boots one prefix, the template; every test entry then runs in a copy of it
# with a display of its own (scripts/wine-entry.sh), so that CTest runs the entries side by side:
# most of their time is spent waiting on windows and processes, not on the processors. Both
# architectures' tests run at once when both can run; the output of each is shown whole once it
# is done.
jobs=${TESSARO_TEST_JOBS:-4}
[ ${#runnable[@]} -lt 2 ] || jobs=$(( (jobs + 1) / 2 ))
pids=()
for preset in "${runnable[@]}"; do
  log="build/$preset/test-run.log"
  (
    tessaro_wine_up
    export TESSARO_PREFIX_TEMPLATE=$WINEPREFIX
    ctest --preset "$preset" --timeout 1500 -j "$jobs"
  ) >"$log" 2>&1 &
  pids+=($!)
done
for i in "${!runnable[@]}"; do
  preset=${runnable[$i]}
  if wait "${pids[$i]}"; then result=passed; else result=FAILED; status=1; fi
  echo "== $preset: test ($result)"
  cat "build/$preset/test-run.log"
done

if wait "$fuzz_pid"; then result=passed; else result=FAILED; status=1; fi
echo "== native: fuzz targets ($result)"
cat build/fuzz-run.log
[ -z "$skipped" ] || echo "== $skipped"
exit $status
