// Straightforward models the fast region code is held against: the area of
// a region as a set of pixels, and the mask shape built pixel by pixel.
#pragma once

#include <cstdint>
#include <random>
#include <set>
#include <utility>

#include "platform/ImageDecoder.h"
#include "platform/Region.h"
#include "skin/MaskShape.h"

namespace zr::test {

using PixelSet = std::set<std::pair<std::int32_t, std::int32_t>>;

inline PixelSet PixelsOf(const Region& region) {
  PixelSet pixels;
  for (const PixelRect& r : region.Rectangles())
    for (std::int32_t y = r.top; y < r.bottom; ++y)
      for (std::int32_t x = r.left; x < r.right; ++x) pixels.emplace(x, y);
  return pixels;
}

// The rule as first described: the full rectangle, with each light pixel
// toggled out by exclusive or, column by column.
inline Region PerPixelMaskShape(const RgbImage& mask) {
  Region region = Region::Rectangle(0, 0, mask.Width(), mask.Height());
  for (std::int32_t x = 0; x < mask.Width(); ++x)
    for (std::int32_t y = 0; y < mask.Height(); ++y)
      if (IsLightPixel(mask.At(x, y))) region = region.Xor(Region::Rectangle(x, y, x + 1, y + 1));
  return region;
}

// A mask whose edges are as noisy as a decoded JPEG's: every channel of every
// pixel near the threshold, so each pixel's fate hangs on one channel.
inline RgbImage NoisyMask(std::int32_t width, std::int32_t height, std::uint32_t seed, int low, int high) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> channel(low, high);
  RgbImage mask(width, height);
  for (std::int32_t y = 0; y < height; ++y)
    for (std::int32_t x = 0; x < width; ++x)
      mask.Set(x, y, {std::uint8_t(channel(random)), std::uint8_t(channel(random)), std::uint8_t(channel(random))});
  return mask;
}

}  // namespace zr::test
