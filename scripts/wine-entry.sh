#!/usr/bin/env bash
# Runs one test entry (a command that starts Windows programs) on a machine of its own: a copy of
# the booted prefix TESSARO_PREFIX_TEMPLATE and a virtual display, both removed when it ends. This
# is what lets CTest run entries side by side: no two share a registry, a temporary folder, a
# named mutex or a window. Without TESSARO_PREFIX_TEMPLATE the command runs in the prefix and on
# the display it was given, and entries that share that prefix take turns.
#   wine-entry.sh <command> [arguments...]
set -uo pipefail
if [ -z "${TESSARO_PREFIX_TEMPLATE:-}" ]; then
  shared=${WINEPREFIX:-$HOME/.wine}
  if [ -d "$shared" ] && command -v flock >/dev/null 2>&1; then exec flock "$shared/.tessaro-entries.lock" "$@"; fi
  exec "$@"
fi
# shellcheck source=scripts/wine-env.sh
source "$(dirname "$0")/wine-env.sh"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The template is only ever copied: what the end of this script stops and removes is its own.
unset WINEPREFIX TESSARO_XVFB_PID
trap tessaro_wine_down EXIT
tessaro_own_display || exit 1
tessaro_fresh_prefix
"$@"
