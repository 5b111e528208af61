#include "skin/Canvas.h"

#include <algorithm>
#include <limits>

namespace zr {

std::optional<SpotArea> ClipToFrame(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                                    std::int32_t frameWidth, std::int32_t frameHeight) {
  if (width <= 0 || height <= 0) return std::nullopt;
  const std::int64_t left = std::max<std::int64_t>(x, 0), top = std::max<std::int64_t>(y, 0);
  const std::int64_t right = std::min<std::int64_t>(x + width, frameWidth);
  const std::int64_t bottom = std::min<std::int64_t>(y + height, frameHeight);
  if (left >= right || top >= bottom) return std::nullopt;
  return SpotArea{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                  static_cast<std::int32_t>(right - left), static_cast<std::int32_t>(bottom - top)};
}

ScreenPoint CentredText(std::int32_t boxLeft, std::int32_t boxTop, std::int32_t boxWidth, std::int32_t boxHeight,
                           std::int32_t textWidth, std::int32_t textHeight) {
  const auto centre = [](std::int64_t start, std::int64_t box, std::int64_t text) {
    const std::int64_t at = start + (box - text) / 2;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(at, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
  };
  return {centre(boxLeft, boxWidth, textWidth), centre(boxTop, boxHeight, textHeight)};
}

void DrawCentred(Canvas& canvas, std::int32_t boxLeft, std::int32_t boxTop, std::int32_t boxWidth,
                 std::int32_t boxHeight, std::u16string_view text, Rgb colour) {
  const TextExtent extent = canvas.MeasureText(text);
  const ScreenPoint at = CentredText(boxLeft, boxTop, boxWidth, boxHeight, extent.width, extent.height);
  canvas.DrawText(at.x, at.y, text, colour);
}

}  // namespace zr
