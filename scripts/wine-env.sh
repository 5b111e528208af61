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
  zr_cjk_fonts
  # Wine's desktop process keeps the display it started with: let it end now,
  # so the next program starts one on the display chosen by zr_display.
  "$WINESERVER" -w >/dev/null 2>&1 || true
}

# Chinese as a person sees it. The skin's Chinese texts ask for 宋体 (SimSun)
# at 12 pixels; map it to a Ming-style font (setup.sh installs it) that keeps
# every stroke at that size. Message boxes and menus draw in Tahoma, which has
# no Chinese: give them the same face (it has Latin letters too). Linking
# Tahoma to it instead would change the height of every plain list box, since
# Wine's system font is Tahoma as well.
zr_cjk_face='AR PL UMing CN'
zr_cjk_fonts() {
  local face logfont metric reg
  face=$(printf '%s' "$zr_cjk_face" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | tr -s ' \n' ',,' |
    sed 's/^,//; s/,$//')
  # A LOGFONTW: height -12, normal weight, DEFAULT_CHARSET, the face padded
  # with zeros to 32 characters.
  logfont="f4,ff,ff,ff,00,00,00,00,00,00,00,00,00,00,00,00,90,01,00,00,00,00,00,01,00,00,00,00,$face"
  while [ $(( $(printf '%s' "$logfont" | tr -cd ',' | wc -c) + 1 )) -lt 92 ]; do logfont="$logfont,00"; done
  reg="$WINEPREFIX/drive_c/zr-fonts.reg"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    # Not "SimSun" as well: Wine's own links for its system font name it.
    printf '"宋体"="%s"\r\n' "$zr_cjk_face"
    printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n'
    for metric in MessageFont MenuFont; do printf '"%s"=hex:%s\r\n' "$metric" "$logfont"; done
  } | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$reg"
  "$WINE" regedit /S 'C:\zr-fonts.reg' >/dev/null 2>&1 || true
  rm -f "$reg"
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
