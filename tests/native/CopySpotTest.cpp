// The Copy spot primitive on decoded images, against the pixel rule.
#include <gtest/gtest.h>

#include <limits>

#include "skin/CopySpot.h"

namespace zr::test {
namespace {

RgbImage Numbered(std::int32_t width, std::int32_t height, std::uint8_t tag) {
  RgbImage image(width, height);
  for (std::int32_t y = 0; y < height; ++y)
    for (std::int32_t x = 0; x < width; ++x) image.Set(x, y, {tag, std::uint8_t(x), std::uint8_t(y)});
  return image;
}

TEST(CopySpot, CopiesExactlyThePartOfTheSpotThatBothImagesHave) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  struct Row {
    const char* what;
    PixelRect spot;
    std::int32_t sourceWidth, sourceHeight;
  };
  const Row rows[] = {
      {"inside", {2, 3, 6, 5}, 12, 10},
      {"the whole frame", {0, 0, 12, 10}, 12, 10},
      {"past the right and bottom edges", {9, 8, 19, 18}, 12, 10},
      {"before the left and top edges", {-3, -2, 2, 2}, 12, 10},
      {"source smaller than the frame", {0, 0, 12, 10}, 5, 4},
      {"wholly outside", {20, 20, 23, 23}, 12, 10},
      {"no width", {2, 2, 2, 7}, 12, 10},
      {"right and bottom edges swapped", {2, 2, 7, -1}, 12, 10},
      {"at the ends of the 32-bit range", {kMin, 0, kMax, 3}, 12, 10},
      {"wholly past the right end", {kMax - 1, 2, kMax, 3}, 12, 10},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    RgbImage frame = Numbered(12, 10, 1);
    const RgbImage before = frame;
    const RgbImage source = Numbered(row.sourceWidth, row.sourceHeight, 2);
    CopySpot(frame, source, row.spot);
    for (std::int32_t y = 0; y < frame.Height(); ++y)
      for (std::int32_t x = 0; x < frame.Width(); ++x) {
        const bool inSpot = row.spot.Contains({x, y});
        const bool copied = inSpot && x < source.Width() && y < source.Height();
        ASSERT_EQ(frame.At(x, y), copied ? source.At(x, y) : before.At(x, y)) << x << "," << y;
      }
  }
}

}  // namespace
}  // namespace zr::test
