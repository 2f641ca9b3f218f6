#!/usr/bin/env bash
# The main job: installs the sample three-CD suite unattended under Wine in a fresh prefix with
# the setup host and the engine, then shows what happened.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
source scripts/wine-env.sh

# The shipping target, i686, where this machine runs 32-bit programs; x86_64 elsewhere.
if [ $# -gt 0 ]; then
  preset=$1
  echo "== Target: $preset (asked for)"
elif tessaro_can_run_32bit; then
  preset=mingw-i686
  echo "== Target: mingw-i686, the shipping target: $TESSARO_32BIT_WHY"
else
  preset=mingw-x86_64
  echo "== Target: mingw-x86_64 instead of the shipping target i686: $TESSARO_32BIT_WHY"
fi
wine=$TESSARO_WINE64
if [ "$preset" = mingw-i686 ]; then
  if ! tessaro_can_run_32bit; then
    echo "mingw-i686 cannot run here: $TESSARO_32BIT_WHY; run bash scripts/main-job.sh mingw-x86_64" >&2
    exit 2
  fi
  wine=/usr/lib/wine/wine
fi

# Only what the job runs: the engine, the setup host, the authoring tool and the sample suite.
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target sample_suite tessaro-tool

tessaro_wine_up

samples="$PWD/build/$preset/samples"
params="$samples/unattended-run.ini"
cp "$samples/CD1/master/unattended.ini" "$params"
printf 'AppendToLog=C:\\tessaro-sample.log\r\n' >> "$params"

echo "== Installing the sample suite from $samples (CD1, CD2, CD3), unattended"
set +e
"$wine" "$samples/CD1/master/TessaroSetup.exe" "config=$(tessaro_windows_path "$params")"
status=$?
set -e
echo "== Exit status: $status (0 installed, 3010 installed and a restart is needed, 1602 cancelled, 1603 failed; the README has the whole table)"

drive_c="$WINEPREFIX/drive_c"
log="$drive_c/tessaro-sample.log"
echo "== Log: C:\\tessaro-sample.log ($(wc -l < "$log") lines); its last lines:"
tail -n 25 "$log"
echo "== Installed files:"
(cd "$drive_c" && find "Program Files (x86)/Corvant" "Program Files (x86)/Common Files/Corvant Shared" \
   "Program Files/Corvant" "Program Files/Common Files/Corvant Shared" -type f 2>/dev/null | sort | tr / '\\' | sed 's/^/  C:\\/') || true
echo "== Registry records under HKLM\\Software\\Corvant:"
{ "$wine" reg query 'HKLM\Software\Corvant' /s 2>/dev/null || true; } | tr -d '\r' | sed '/^$/d; s/^/  /'
echo "== Uninstall files:"
for file in "$drive_c"/Program\ Files*/Corvant/setup/uninstall/*.ini; do
  [ -f "$file" ] || continue
  echo "  -- ${file#$drive_c/}"
  tr -d '\r' < "$file" | sed 's/^/     /'
done
echo "== Programs and Features entry of the suite (its UninstallString removes it, its QuietUninstallString without a window):"
{ "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvant Suite CORVANT SOFTWARE' /s 2>/dev/null ||
  "$wine" reg query 'HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Corvant Suite CORVANT SOFTWARE' /s 2>/dev/null ||
  echo "  (no entry: nothing was installed, or the run failed before its records were complete)"; } | tr -d '\r' | sed '/^$/d; s/^/  /'
echo "== Programs and Features entries of the package products (their own installers wrote them):"
for view in 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
            'HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall'; do
  for key in 'CorvantViewer' '{6E1B0C2A-4F7D-4B8E-9C3A-1D2E3F405A61}'; do
    { "$wine" reg query "$view\\$key" 2>/dev/null || true; } | tr -d '\r' |
      grep -E '^HKEY|DisplayName|DisplayVersion|InstallLocation|UninstallString|WindowsInstaller' | sed 's/^/  /' || true
  done
done
exit "$status"
