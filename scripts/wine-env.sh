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
  tessaro_own_display
  trap tessaro_wine_down EXIT
  tessaro_boot_prefix
}

# A virtual display of this script's own in DISPLAY (TESSARO_XVFB_PID), on a number the X server
# picks itself, so that scripts starting side by side never race for the same one.
tessaro_own_display() {
  local fifo display=""
  fifo=$(mktemp -u /tmp/tessaro-display.XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  TESSARO_XVFB_PID=$!
  read -r -t 30 display <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$display" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":${display}"
}

# A booted prefix that no other program uses in WINEPREFIX: a copy of the booted prefix
# TESSARO_PREFIX_TEMPLATE when there is one (a fraction of a second), else a new one booted here.
tessaro_fresh_prefix() {
  tessaro_new_prefix
  if [ -n "${TESSARO_PREFIX_TEMPLATE:-}" ] && [ -f "$TESSARO_PREFIX_TEMPLATE/system.reg" ]; then
    cp -a "$TESSARO_PREFIX_TEMPLATE/." "$WINEPREFIX/"
  else
    tessaro_boot_prefix
  fi
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
