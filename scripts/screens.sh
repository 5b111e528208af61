#!/usr/bin/env bash
# Regenerates docs/screens/*.png: the three pages in both languages, painted
# by the real renderer on GDI under Wine from the shipped skin (the page
# rendering test leaves its frames when ZR_SCREENS_DIR names a folder).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset windows >/dev/null
cmake --build --preset windows --target zr_wine_tests
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT

source scripts/wine-env.sh build/windows
zr_display
zr_wine_prefix
status=0
ZR_SCREENS_DIR="$frames" "$WINE" build/windows/zr_wine_tests.exe \
  --gtest_filter='PageRender.EveryPageInBothLanguagesShowsTheSkinWhereNothingIsDrawnOverIt' || status=$?
zr_wine_stop
[ "$status" -eq 0 ] || { echo "the page rendering test failed" >&2; exit "$status"; }

mkdir -p docs/screens
for frame in "$frames"/*.bmp; do
  name=$(basename "$frame" .bmp)
  # No dates or other metadata, so unchanged pages give unchanged files.
  convert "$frame" -strip -define png:exclude-chunks=date,time "docs/screens/$name.png"
  echo "docs/screens/$name.png"
done
