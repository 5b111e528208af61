// Points and rectangles in whole pixels, one convention for every ring:
// left, top, right, bottom, with right and bottom outside, as the window
// system's rectangles are; the Win32 side converts only where it calls the
// system.
#pragma once

#include <cstdint>

namespace zr {

struct ScreenPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

struct PixelRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool Contains(ScreenPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const PixelRect&) const = default;
};

}  // namespace zr
