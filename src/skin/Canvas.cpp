#include "skin/Canvas.h"

#include <algorithm>
#include <limits>

namespace zr {

namespace {

// Edges in 64 bits, so an area from a file cannot wrap; an area with no
// width or height ends up with its right edge at or before its left one.
std::optional<PixelRect> ClipEdges(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                                   std::int32_t frameWidth, std::int32_t frameHeight) {
  left = std::max<std::int64_t>(left, 0), top = std::max<std::int64_t>(top, 0);
  right = std::min<std::int64_t>(right, frameWidth), bottom = std::min<std::int64_t>(bottom, frameHeight);
  if (left >= right || top >= bottom) return std::nullopt;
  return PixelRect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top), static_cast<std::int32_t>(right),
                   static_cast<std::int32_t>(bottom)};
}

}  // namespace

std::optional<PixelRect> ClipToFrame(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                                     std::int32_t frameWidth, std::int32_t frameHeight) {
  return ClipEdges(x, y, x + width, y + height, frameWidth, frameHeight);
}

std::optional<PixelRect> ClipToFrame(const PixelRect& area, std::int32_t frameWidth, std::int32_t frameHeight) {
  return ClipEdges(area.left, area.top, area.right, area.bottom, frameWidth, frameHeight);
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
