#include "skin/MaskShape.h"

#include <vector>

namespace zr {

Region DarkPixelRegion(const RgbImage& mask) {
  Region::Builder builder;
  std::vector<std::int32_t> runs;
  for (std::int32_t y = 0; y < mask.Height(); ++y) {
    runs.clear();
    bool inside = false;
    for (std::int32_t x = 0; x < mask.Width(); ++x) {
      const bool dark = !IsLightPixel(mask.At(x, y));
      if (dark != inside) {
        runs.push_back(x);
        inside = dark;
      }
    }
    if (inside) runs.push_back(mask.Width());
    builder.AddBand(y, y + 1, runs);
  }
  return builder.Finish();
}

WindowShape BuildMaskShape(const RgbImage* mask, std::int32_t fallbackWidth, std::int32_t fallbackHeight) {
  if (mask == nullptr || mask->Empty())
    return {fallbackWidth, fallbackHeight, Region::Rectangle(0, 0, fallbackWidth, fallbackHeight), false};
  return {mask->Width(), mask->Height(), DarkPixelRegion(*mask), true};
}

namespace {

Region RectangleOf(const SkinRect& rect) { return Region::Rectangle(rect.left, rect.top, rect.right, rect.bottom); }

}  // namespace

MainWindowRegions BuildMainWindowRegions(const RgbImage* mask, std::int32_t fallbackWidth,
                                         std::int32_t fallbackHeight, const AdvancedControlRects& controls) {
  MainWindowRegions regions{BuildMaskShape(mask, fallbackWidth, fallbackHeight), {}};
  // The repeat-count edit is not cut out; hover repaints cover it too.
  regions.advancedPaint = regions.shape.region.Xor(RectangleOf(controls.macroNameEdit))
                              .Xor(RectangleOf(controls.stepList))
                              .Xor(RectangleOf(controls.macroList));
  return regions;
}

}  // namespace zr
