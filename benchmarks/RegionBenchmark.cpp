// The main window's shape from the shipped mask: toggling each light pixel
// out one at a time (the baseline) against collecting runs of dark pixels.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/Text.h"
#include "platform/native/LibJpegDecoder.h"
#include "shared/PixelModels.h"
#include "skin/MaskShape.h"

namespace zr {
namespace {

const RgbImage& ShippedMask() {
  static const RgbImage mask = [] {
    auto decoded = LibJpegDecoder().Decode(Utf16FromUtf8(ZR_SOURCE_DIR) + u"\\data\\skins\\main_mask.jpg");
    if (!decoded) std::abort();
    return std::move(*decoded);
  }();
  return mask;
}

void PerPixelExclusiveOr(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(test::PerPixelMaskShape(ShippedMask()));
}
BENCHMARK(PerPixelExclusiveOr)->Unit(benchmark::kMillisecond);

void RunsOfDarkPixels(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DarkPixelRegion(ShippedMask()));
}
BENCHMARK(RunsOfDarkPixels)->Unit(benchmark::kMillisecond);

void MainWindowRegions(benchmark::State& state) {
  AdvancedControlRects controls;
  controls.macroNameEdit = {44, 160, 286, 184};
  controls.stepList = {324, 198, 586, 524};
  controls.macroList = {44, 228, 286, 488};
  for (auto _ : state) benchmark::DoNotOptimize(BuildMainWindowRegions(&ShippedMask(), 1, 1, controls));
}
BENCHMARK(MainWindowRegions)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zr
