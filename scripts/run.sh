#!/usr/bin/env bash
# Builds the utility and starts it under Wine. Without a display it starts a
# private X server, saves a screenshot, prints where it is, and stops again;
# with a display the utility keeps running until it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target zr_utility zr_utility_virtual zr_virtual_mouse_client

source scripts/wine-env.sh build/windows
# Wide enough for the "Virtual mouse" panel beside the 1000-pixel window.
export ZR_SCREEN=${ZR_SCREEN:-1760x900}
zr_display
zr_wine_prefix
had_display=$([ -z "$zr_started_xvfb" ] && echo yes || echo no)

# The real build when the mouse is plugged in, else the build that carries
# the virtual mouse.
dist="$root/build/windows/dist_virtual"
for device in /sys/bus/usb/devices/*; do
  if [ "$(cat "$device/idVendor" 2>/dev/null)" = 18f8 ] && [ "$(cat "$device/idProduct" 2>/dev/null)" = 1286 ]; then
    dist="$root/build/windows/dist"
  fi
done
echo "Starting $(basename "$dist")"
exe="$dist/ZR280S Gaming Mouse Driver.exe"
"$WINE" explorer /desktop="zr305,$ZR_SCREEN" "$("$WINE" winepath -w "$exe" 2>/dev/null | tr -d '\r')" &
app=$!

title="ZR305 Gaming Mouse Driver"
for _ in $(seq 100); do
  xdotool search --name "$title" >/dev/null 2>&1 && break
  sleep 0.2
done
if [ "$(basename "$dist")" = dist_virtual ]; then
  # The virtual mouse's panel places itself beside the utility's window.
  for _ in $(seq 25); do
    xdotool search --name "^Virtual mouse$" >/dev/null 2>&1 && break
    sleep 0.2
  done
  echo "Drive the virtual mouse from its panel, or: $WINE \"$dist/virtual-mouse.exe\" click left|state|unplug|..."
fi
sleep 1
mkdir -p build/screenshots
shot="$root/build/screenshots/run.png"
import -window root "$shot"
echo "Screenshot: $shot"

if [ "$had_display" = yes ]; then
  wait "$app" || true
else
  zr_wine_stop
fi
