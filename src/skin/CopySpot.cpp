#include "skin/CopySpot.h"

#include <algorithm>
#include <cstring>

namespace zr {

std::optional<PixelRect> ClipSpot(SpotArea spot, std::int32_t frameWidth, std::int32_t frameHeight,
                                   std::int32_t sourceWidth, std::int32_t sourceHeight) {
  if (spot.width <= 0 || spot.height <= 0) return std::nullopt;
  const std::int64_t left = std::max<std::int64_t>(spot.x, 0);
  const std::int64_t top = std::max<std::int64_t>(spot.y, 0);
  const std::int64_t right = std::min<std::int64_t>({std::int64_t{spot.x} + spot.width, frameWidth, sourceWidth});
  const std::int64_t bottom = std::min<std::int64_t>({std::int64_t{spot.y} + spot.height, frameHeight, sourceHeight});
  if (left >= right || top >= bottom) return std::nullopt;
  return PixelRect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top), static_cast<std::int32_t>(right),
                    static_cast<std::int32_t>(bottom)};
}

void CopySpot(RgbImage& frame, const RgbImage& source, SpotArea spot) {
  const auto area = ClipSpot(spot, frame.Width(), frame.Height(), source.Width(), source.Height());
  if (!area) return;
  const std::size_t offset = std::size_t(area->left) * 3;
  const std::size_t bytes = std::size_t(area->right - area->left) * 3;
  for (std::int32_t y = area->top; y < area->bottom; ++y) std::memcpy(frame.Row(y) + offset, source.Row(y) + offset, bytes);
}

}  // namespace zr
