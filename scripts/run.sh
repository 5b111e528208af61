#!/usr/bin/env bash
# Builds the utility and starts it under Wine. Without a display it starts a
# private X server, saves a screenshot, prints where it is, and stops again;
# with a display the utility keeps running until it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target zr_utility

source scripts/wine-env.sh build/windows
zr_display
zr_wine_prefix
had_display=$([ -z "$zr_started_xvfb" ] && echo yes || echo no)

exe="$root/build/windows/dist/ZR280S Gaming Mouse Driver.exe"
"$WINE" explorer /desktop=zr305,1280x800 "$("$WINE" winepath -w "$exe" 2>/dev/null | tr -d '\r')" &
app=$!

title="ZR305 Gaming Mouse Driver"
for _ in $(seq 100); do
  xdotool search --name "$title" >/dev/null 2>&1 && break
  sleep 0.2
done
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
