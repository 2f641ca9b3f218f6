#!/usr/bin/env bash
# Renders every wizard page to docs/gallery/<template>-<page>.png: the window tests drive each
# page under Xvfb and save a picture of it on the way, which is turned into PNG here.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh gallery
preset=mingw-x86_64
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target tests_pages tests_e2e sample_suite

# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
tessaro_wine_up

pictures=$(mktemp -d /tmp/tessaro-gallery.XXXXXX)
trap 'rm -rf "$pictures"; tessaro_wine_down' EXIT
# wine64 runs everywhere, also where 32-bit programs cannot.
TESSARO_GALLERY_DIR=$(tessaro_windows_path "$pictures")
export TESSARO_GALLERY_DIR
"$TESSARO_WINE64" "build/$preset/tests_pages.exe" --gtest_filter='*WindowTest.*' --gtest_brief=1
# The removal's pages, shown by the setup host while the attended removal test answers them.
"$TESSARO_WINE64" "build/$preset/tests_e2e.exe" --gtest_filter='SuiteRemovalTest.UninstallOnTheAddRemovePage*' --gtest_brief=1

mkdir -p docs/gallery
rm -f docs/gallery/*.png
for picture in "$pictures"/*.bmp; do
  /usr/bin/convert "$picture" "docs/gallery/$(basename "$picture" .bmp).png"
done
ls docs/gallery
