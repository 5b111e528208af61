#include "skin/ScreenPlacement.h"

#include <algorithm>
#include <limits>

namespace zr {
namespace {

std::int32_t Narrow(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// One axis: the far edge first, then the near one, which wins when the window is larger.
std::int64_t IntoRange(std::int64_t start, std::int64_t length, std::int64_t first, std::int64_t end) {
  start = std::min(start, end - std::max<std::int64_t>(length, 0));
  return std::max(start, first);
}

}  // namespace

ScreenPoint PlaceInWorkArea(std::int64_t left, std::int64_t top, ScreenSize size, const ScreenArea& area) {
  return {Narrow(IntoRange(left, size.width, area.left, area.right)),
          Narrow(IntoRange(top, size.height, area.top, area.bottom))};
}

ScreenPoint PlaceUnderSpot(const ScreenArea& spot, ScreenSize size, const ScreenArea& area) {
  const std::int64_t height = std::max<std::int64_t>(size.height, 0);
  const bool fitsBelow = spot.bottom + height <= area.bottom;
  return PlaceInWorkArea(spot.left, fitsBelow ? spot.bottom : spot.top - height, size, area);
}

ScreenPoint PlaceBesideMenu(std::int64_t menuLeft, std::int64_t menuWidth, std::int64_t wantedTop, ScreenSize size,
                            const ScreenArea& area) {
  const std::int64_t width = std::max<std::int64_t>(size.width, 0);
  const std::int64_t right = menuLeft + std::max<std::int64_t>(menuWidth, 0);
  const std::int64_t left = menuLeft - width;
  std::int64_t x = right;
  if (right + width > area.right) {
    const bool fitsLeft = left >= area.left;
    const bool moreRoomLeft = menuLeft - area.left > area.right - right;
    if (fitsLeft || moreRoomLeft) x = left;
  }
  return PlaceInWorkArea(x, wantedTop, size, area);
}

}  // namespace zr
