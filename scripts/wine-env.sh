# Sourced by the scripts that run Tessaro under Wine: a throwaway prefix and a virtual display,
# both removed when the calling script ends.
# shellcheck shell=bash

tessaro_wine_up() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEPREFIX
  WINEPREFIX=$(mktemp -d /tmp/tessaro-wine.XXXXXX)
  local display=99
  while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do display=$((display + 1)); done
  Xvfb ":${display}" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  TESSARO_XVFB_PID=$!
  export DISPLAY=":${display}"
  trap tessaro_wine_down EXIT
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

tessaro_wine_down() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${TESSARO_XVFB_PID:-}" ] && kill "$TESSARO_XVFB_PID" >/dev/null 2>&1 || true
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && rm -rf "$WINEPREFIX"
}
