#!/usr/bin/env bash
# Runs the benchmarks: natively with Google Benchmark (optimised build) and
# the timing harnesses under Wine. Not part of the tests: timings are machine-bound.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

echo "== Native (native-release)"
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target zr_benchmarks
build/native-release/zr_benchmarks

echo "== Windows build under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows --target zr_timing_RegionTiming zr_timing_StepTimerTiming zr_timing_PageRenderTiming \
  zr_timing_StartupTiming zr_timing_IndicatorTiming zr_timing_DownloadTiming zr_timing_ForegroundSwitchTiming
source scripts/wine-env.sh build/windows
zr_display
zr_wine_prefix
for harness in build/windows/zr_timing_*.exe; do
  echo "-- $(basename "$harness")"
  "$WINE" "$harness"
done
zr_wine_stop
