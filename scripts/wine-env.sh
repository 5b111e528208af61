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
# at 12 pixels; message boxes and menus draw in Tahoma and the dialog faces,
# which have no Chinese. Map the Song faces to a Ming-style font (setup.sh
# installs it) that keeps every stroke at that size, and link the others to it
# for the characters they lack.
zr_cjk_face='AR PL UMing CN'
zr_cjk_file='uming.ttc'
zr_cjk_fonts() {
  local link face reg
  link=$(printf '%s,%s' "$zr_cjk_file" "$zr_cjk_face" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 |
    tr -s ' \n' ',,' | sed 's/^,//; s/,$//')
  reg="$WINEPREFIX/drive_c/zr-fonts.reg"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in 宋体 SimSun 新宋体 NSimSun; do printf '"%s"="%s"\r\n' "$face" "$zr_cjk_face"; done
    printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
    for face in Tahoma 'Microsoft Sans Serif' 'MS Shell Dlg' 'MS Shell Dlg 2' 'Segoe UI'; do
      printf '"%s"=hex(7):%s,00,00,00,00\r\n' "$face" "$link"
    done
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
