// What a page paint asks of a drawing surface. The paint decides every
// operation in the core; a surface only carries them out, so the rules can be
// checked against a recording surface without a window.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ImageDecoder.h"
#include "skin/CopySpot.h"

namespace zr {

// The images a spot is copied from. The frame being painted starts as the
// page's normal image, so the normal image is never a source.
enum class SpotSource : std::uint8_t {
  Hovered,  // the page's "over" image
  Pressed,  // the page's "down" image
  LedDark,  // the colour page's preview spot with the LED off
  LedBlue,  // the colour page's preview spot in blue
};

struct TextExtent {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const TextExtent&) const = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // The paint hands over only areas already clipped to the frame. A surface
  // without the source image leaves the area as it is.
  virtual void CopySpot(SpotSource source, SpotArea area) = 0;
  virtual void Fill(SpotArea area, Rgb colour) = 0;
  // In the current font of the skin.
  virtual TextExtent MeasureText(std::u16string_view text) = 0;
  // Transparent background; the frame's edge cuts off whatever lies outside.
  virtual void DrawText(std::int32_t left, std::int32_t top, std::u16string_view text, Rgb colour) = 0;
};

}  // namespace zr
