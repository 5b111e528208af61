#include "skin/CopySpot.h"

#include <algorithm>
#include <cstring>

namespace zr {

std::optional<PixelRect> ClipSpot(const PixelRect& spot, std::int32_t frameWidth, std::int32_t frameHeight,
                                   std::int32_t sourceWidth, std::int32_t sourceHeight) {
  const std::int32_t left = std::max(spot.left, 0);
  const std::int32_t top = std::max(spot.top, 0);
  const std::int32_t right = std::min({spot.right, frameWidth, sourceWidth});
  const std::int32_t bottom = std::min({spot.bottom, frameHeight, sourceHeight});
  if (left >= right || top >= bottom) return std::nullopt;
  return PixelRect{left, top, right, bottom};
}

void CopySpot(RgbImage& frame, const RgbImage& source, const PixelRect& spot) {
  const auto area = ClipSpot(spot, frame.Width(), frame.Height(), source.Width(), source.Height());
  if (!area) return;
  const std::size_t offset = std::size_t(area->left) * 3;
  const std::size_t bytes = std::size_t(area->right - area->left) * 3;
  for (std::int32_t y = area->top; y < area->bottom; ++y) std::memcpy(frame.Row(y) + offset, source.Row(y) + offset, bytes);
}

}  // namespace zr
