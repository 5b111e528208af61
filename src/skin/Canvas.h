// What a page paint asks of a drawing surface. The paint decides every
// operation in the core; a surface only carries them out, so the rules can be
// checked against a recording surface without a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/ImageDecoder.h"
#include "skin/CopySpot.h"
#include "skin/ScreenPlacement.h"

namespace zr {

// The images a spot is copied from. The frame being painted starts as the
// page's normal image, so the normal image is never a source.
enum class SpotSource : std::uint8_t {
  Hovered,  // the page's "over" image
  Pressed,  // the page's "down" image
  LedDark,  // the colour page's preview spot with the LED off
  LedBlue,  // the colour page's preview spot in blue
};

// What a frame shows where the skin's normal image is missing: the skin's
// dark background, so the texts stay readable.
inline constexpr Rgb kMissingImageColour{63, 58, 54};

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
  virtual void CopySpot(SpotSource source, const PixelRect& area) = 0;
  virtual void Fill(const PixelRect& area, Rgb colour) = 0;
  // In the current font of the skin.
  virtual TextExtent MeasureText(std::u16string_view text) = 0;
  // Transparent background; the frame's edge cuts off whatever lies outside.
  virtual void DrawText(std::int32_t left, std::int32_t top, std::u16string_view text, Rgb colour) = 0;
};

// The part of an area inside a frame of `frameWidth` x `frameHeight`; an
// area from a layout file may say anything. nullopt when nothing is left.
std::optional<PixelRect> ClipToFrame(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                                     std::int32_t frameWidth, std::int32_t frameHeight);
std::optional<PixelRect> ClipToFrame(const PixelRect& area, std::int32_t frameWidth, std::int32_t frameHeight);

// The left-top corner that centres a text of the given size in a box, with
// truncating divisions (a text wider than its box starts left of it); a box
// from a file cannot make the sums overflow.
ScreenPoint CentredText(std::int32_t boxLeft, std::int32_t boxTop, std::int32_t boxWidth, std::int32_t boxHeight,
                           std::int32_t textWidth, std::int32_t textHeight);

// Measures `text` on the canvas and draws it centred in the box.
void DrawCentred(Canvas& canvas, std::int32_t boxLeft, std::int32_t boxTop, std::int32_t boxWidth,
                 std::int32_t boxHeight, std::u16string_view text, Rgb colour);

}  // namespace zr
