// Window shapes from mask images: light pixels are cut away, every other
// pixel belongs to the window.
#pragma once

#include <cstdint>

#include "platform/ImageDecoder.h"
#include "platform/Region.h"
#include "skin/SkinLayout.h"

namespace zr {

inline constexpr bool IsLightPixel(Rgb pixel) { return pixel.red > 100 && pixel.green > 100 && pixel.blue > 100; }

// The dark pixels, collected as runs per row: the same area as toggling each
// light pixel out of the full rectangle, in time linear in the pixels.
Region DarkPixelRegion(const RgbImage& mask);

struct WindowShape {
  std::int32_t width = 0;   // the drawing size of the surface
  std::int32_t height = 0;
  Region region;
  bool fromMask = false;    // false: the mask was missing or empty
};

// A missing, undecodable or empty mask gives a plain rectangle of the size
// the window already has, so the window stays visible and usable.
WindowShape BuildMaskShape(const RgbImage* mask, std::int32_t fallbackWidth, std::int32_t fallbackHeight);

struct MainWindowRegions {
  WindowShape shape;
  // The shape with the macro-name edit, the step list and the macro list
  // toggled out by exclusive or: where a rectangle sticks out of the shape,
  // that part is added instead.
  Region advancedPaint;
};

MainWindowRegions BuildMainWindowRegions(const RgbImage* mask, std::int32_t fallbackWidth,
                                         std::int32_t fallbackHeight, const AdvancedControlRects& controls);

}  // namespace zr
