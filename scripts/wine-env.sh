# Sourced by the scripts that run Tessaro under Wine: a throwaway prefix and a virtual display,
# both removed when the calling script ends. Everything here runs through the 64-bit loader, so it
# works on machines that cannot run 32-bit programs.
# shellcheck shell=bash

TESSARO_WINE64=/usr/lib/wine/wine64

# Whether this machine runs 32-bit programs (some kernels have no 32-bit user mode: the 32-bit
# loader and 32-bit Wine then fail with "Exec format error"). Probed once; TESSARO_NO_32BIT=1
# makes a machine that can behave as one that cannot. Sets TESSARO_32BIT_WHY to the reason.
tessaro_can_run_32bit() {
  if [ -z "${TESSARO_32BIT:-}" ]; then
    local answer
    if [ "${TESSARO_NO_32BIT:-0}" = 1 ]; then
      TESSARO_32BIT=no
      TESSARO_32BIT_WHY="TESSARO_NO_32BIT=1 is set"
    elif answer=$(/lib/ld-linux.so.2 --version 2>&1 >/dev/null); then
      TESSARO_32BIT=yes
      TESSARO_32BIT_WHY="the 32-bit loader runs"
    else
      TESSARO_32BIT=no
      answer=${answer##*: }
      TESSARO_32BIT_WHY="this machine cannot run 32-bit programs (/lib/ld-linux.so.2: ${answer:-missing})"
    fi
    export TESSARO_32BIT TESSARO_32BIT_WHY
  fi
  [ "$TESSARO_32BIT" = yes ]
}

# The Windows path of a Unix path, on drive Z:, without asking Wine.
tessaro_windows_path() { printf 'Z:%s\n' "$1" | tr / '\\'; }

tessaro_wine_up() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  tessaro_new_prefix
  local display=99
  while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do display=$((display + 1)); done
  Xvfb ":${display}" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  TESSARO_XVFB_PID=$!
  export DISPLAY=":${display}"
  trap tessaro_wine_down EXIT
  tessaro_boot_prefix
}

# A new, empty prefix in WINEPREFIX; tessaro_boot_prefix sets it up once a display is there.
tessaro_new_prefix() {
  export WINEPREFIX
  WINEPREFIX=$(mktemp -d /tmp/tessaro-wine.XXXXXX)
}

tessaro_boot_prefix() {
  "$TESSARO_WINE64" wineboot -i >/dev/null 2>&1 || true
  # Unmanaged windows close at once; managed ones wait about 2 s each for a window manager
  # that is not there.
  "$TESSARO_WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

tessaro_wine_down() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${TESSARO_XVFB_PID:-}" ] && kill "$TESSARO_XVFB_PID" >/dev/null 2>&1 || true
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && rm -rf "$WINEPREFIX"
}
