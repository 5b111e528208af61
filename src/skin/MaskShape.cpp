#include "skin/MaskShape.h"

#include <cstring>
#include <vector>

namespace zr {

namespace {

// Eight pixels are 24 bytes, three 64-bit words. If no byte of them is above
// 100 all eight are dark, and if every byte is, all eight are light; only
// chunks that straddle an edge are looked at pixel by pixel. Masks are mostly
// uniform, so nearly every chunk is settled by a few word operations.
constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

bool AnyByteAbove100(std::uint64_t word) { return (((word + kOnes * (127 - 100)) | word) & kHighBits) != 0; }
bool AnyByteBelow101(std::uint64_t word) { return ((word - kOnes * 101) & ~word & kHighBits) != 0; }

std::uint64_t Word(const std::uint8_t* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

enum class Chunk { Dark, Light, Mixed };

Chunk Classify(const std::uint8_t* p) {
  const std::uint64_t a = Word(p), b = Word(p + 8), c = Word(p + 16);
  if (!AnyByteAbove100(a) && !AnyByteAbove100(b) && !AnyByteAbove100(c)) return Chunk::Dark;
  if (!AnyByteBelow101(a) && !AnyByteBelow101(b) && !AnyByteBelow101(c)) return Chunk::Light;
  return Chunk::Mixed;
}

}  // namespace

Region DarkPixelRegion(const RgbImage& mask) {
  Region::Builder builder;
  std::vector<std::int32_t> runs;
  const std::int32_t width = mask.Width();
  for (std::int32_t y = 0; y < mask.Height(); ++y) {
    runs.clear();
    bool inside = false;
    const auto pixel = [&](std::int32_t x, bool dark) {
      if (dark != inside) {
        runs.push_back(x);
        inside = dark;
      }
    };
    const std::uint8_t* row = mask.Row(y);
    std::int32_t x = 0;
    for (; x + 8 <= width; x += 8) {
      const Chunk chunk = Classify(row + std::size_t(x) * 3);
      if (chunk == Chunk::Mixed) {
        for (std::int32_t k = x; k < x + 8; ++k) pixel(k, !IsLightPixel(mask.At(k, y)));
      } else {
        pixel(x, chunk == Chunk::Dark);
      }
    }
    for (; x < width; ++x) pixel(x, !IsLightPixel(mask.At(x, y)));
    if (inside) runs.push_back(width);
    builder.AddBand(y, y + 1, runs);
  }
  return builder.Finish();
}

WindowShape BuildMaskShape(const RgbImage* mask, std::int32_t fallbackWidth, std::int32_t fallbackHeight) {
  if (mask == nullptr || mask->Empty())
    return {fallbackWidth, fallbackHeight, Region::Rectangle(0, 0, fallbackWidth, fallbackHeight), false};
  return {mask->Width(), mask->Height(), DarkPixelRegion(*mask), true};
}

MainWindowRegions BuildMainWindowRegions(const RgbImage* mask, std::int32_t fallbackWidth,
                                         std::int32_t fallbackHeight, const AdvancedControlRects& controls) {
  MainWindowRegions regions{BuildMaskShape(mask, fallbackWidth, fallbackHeight), {}};
  // The repeat-count edit is not cut out; hover repaints cover it too.
  regions.advancedPaint = regions.shape.region.Xor(Region::Rectangle(controls.macroNameEdit))
                              .Xor(Region::Rectangle(controls.stepList))
                              .Xor(Region::Rectangle(controls.macroList));
  return regions;
}

}  // namespace zr
