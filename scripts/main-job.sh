#!/usr/bin/env bash
# The main job: installs the sample three-CD suite unattended under Wine in a fresh prefix with
# the setup host and the engine, then shows what happened.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
preset=${1:-mingw-i686}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"

source scripts/wine-env.sh
tessaro_wine_up
wine=wine
[ "$preset" = mingw-x86_64 ] && wine=/usr/lib/wine/wine64

samples="$PWD/build/$preset/samples"
params="$samples/unattended-run.ini"
cp "$samples/CD1/master/unattended.ini" "$params"
printf 'AppendToLog=C:\\tessaro-sample.log\r\n' >> "$params"
to_windows() { echo "Z:$1" | tr / '\\'; }

echo "== Installing the sample suite from $samples (CD1, CD2, CD3), unattended"
set +e
"$wine" "$samples/CD1/master/TessaroSetup.exe" "config=$(to_windows "$params")"
status=$?
set -e
echo "== Exit status: $status (0 installed, 1 products failed, 2 cancelled, 3 load failed)"

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
exit "$status"
