# Sourced by the scripts that run Windows programs: a 64-bit Wine prefix of
# its own for this run, booted once, and an Xvfb display for the windows.
# Sets WINEPREFIX, DISPLAY and friends; wine_cleanup stops both at the end.
WINE_RUN_DIR=$(mktemp -d "${TMPDIR:-/tmp}/mw4-wine.XXXXXX")
export WINEPREFIX="$WINE_RUN_DIR/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${MW4_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$WINE_RUN_DIR/xvfb.log" 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi
wineboot -i >"$WINE_RUN_DIR/wineboot.log" 2>&1 || true
wineserver -w

wine_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" >/dev/null 2>&1 || true
  rm -rf "$WINE_RUN_DIR"
}

# wine_path UNIX_PATH: the same file as Windows programs under Wine see it.
wine_path() { winepath -w "$1" 2>/dev/null; }
