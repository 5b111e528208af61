# Sourced by the scripts that run Windows programs: a Wine prefix inside the
# build folder and, when there is no display, a private X server.
# Usage: source scripts/wine-env.sh <build folder>

zr_build_dir=$(cd "$1" && pwd)
export WINEPREFIX="$zr_build_dir/wineprefix"
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree=d;mshtml=d"
export WINEDEBUG=-all
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver
zr_started_xvfb=""

zr_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix (once per build folder)..."
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
  fi
  # Chinese skin texts ask for this face; map it to a font the machine has.
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /t REG_SZ /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1 || true
  # Wine's desktop process keeps the display it started with: let it end now,
  # so the next program starts one on the display chosen by zr_display.
  "$WINESERVER" -w >/dev/null 2>&1 || true
}

zr_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${ZR_SCREEN:-1280x800}x24" -nolisten tcp >/dev/null 2>&1 &
    zr_started_xvfb=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  done
  echo "Could not start Xvfb" >&2
  return 1
}

zr_wine_stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
  if [ -n "$zr_started_xvfb" ]; then
    kill "$zr_started_xvfb" 2>/dev/null || true
    wait "$zr_started_xvfb" 2>/dev/null || true
    zr_started_xvfb=""
  fi
}
