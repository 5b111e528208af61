// The on-screen indicator: a small panel near the bottom of the screen that
// says which DPI level or report-rate step the mouse has just switched to,
// or which profile the utility has just made current for a program. What it
// says, how it is laid out, its shapes in pixels, where it goes and how it
// fades are decided here; the shell only draws the texts and puts the
// picture on the screen.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ConfigRecord.h"
#include "platform/Geometry.h"
#include "platform/ImageDecoder.h"

namespace zr {

// The skin's palette, as the skin's surfaces are painted.
inline constexpr Rgb kIndicatorPanel{21, 23, 27};
inline constexpr Rgb kIndicatorEdge{56, 60, 69};
inline constexpr Rgb kIndicatorSlot{15, 16, 19};
inline constexpr Rgb kIndicatorRed{226, 32, 44};
inline constexpr Rgb kIndicatorWhite{236, 238, 242};
inline constexpr Rgb kIndicatorSoft{160, 166, 178};
inline constexpr Rgb kIndicatorDim{56, 60, 69};

// Report-rate steps 0..3 of the mouse, in reports a second.
inline constexpr std::array<std::uint16_t, 4> kReportRates = {125, 250, 500, 1000};
static_assert(kReportRates.size() == kLastReportRateStep + 1, "one rate for each USB_SPEED step");
inline constexpr std::int32_t kProfiles = 5;

enum class IndicatorKind : std::uint8_t { DpiLevel, ReportRate, Profile };

// One place of the cycle the switch moved along.
struct IndicatorMark {
  Rgb colour;
  bool current = false;
  bool operator==(const IndicatorMark&) const = default;
};

struct IndicatorContent {
  IndicatorKind kind = IndicatorKind::DpiLevel;
  Rgb accent;                 // the level's colour, else the skin's red
  std::u16string badge;       // in the ring: the level or profile number
  std::u16string title;       // "DPI LEVEL 2", "REPORT RATE", "PROFILE 3"
  std::u16string value;       // "1600 DPI", "500 Hz", the program's name
  std::array<IndicatorMark, kProfiles> marks{};
  std::size_t markCount = 0;
  bool operator==(const IndicatorContent&) const = default;
};

// The level the mouse reported; nothing for a level the mouse does not have.
// Marks: every enabled level, and the current one even when a file disabled it.
std::optional<IndicatorContent> DpiLevelIndicator(const ConfigRecord& config, std::int32_t level,
                                                  std::uint8_t languageFlag);
std::optional<IndicatorContent> ReportRateIndicator(std::uint8_t step, std::uint8_t languageFlag);
// Profile 1..5 made current for a program; `program` may be a path, of
// which the file name is shown.
std::optional<IndicatorContent> ProfileIndicator(std::int32_t profile, std::u16string_view program,
                                                 std::uint8_t languageFlag);

// The text the window carries as its title, for tools that read the screen.
std::u16string IndicatorCaption(const IndicatorContent& content);

// --- layout -------------------------------------------------------------------

inline constexpr std::int32_t kIndicatorWidth = 300;
inline constexpr std::int32_t kIndicatorHeight = 96;

// A filled rounded rectangle with anti-aliased edges; a bar or a disc is one
// with a large enough radius, a ring one disc on another.
struct IndicatorShape {
  PixelRect rect;
  float radius = 0;
  Rgb colour;
  bool operator==(const IndicatorShape&) const = default;
};

struct IndicatorText {
  enum class Align : std::uint8_t { Centre, Left };
  PixelRect rect;
  std::u16string text;
  Rgb colour;
  std::int32_t pixelHeight = 0;  // of the font's cell
  bool bold = false;
  Align align = Align::Left;
  bool ellipsis = false;  // a text too long for its rectangle ends in "…"
  bool operator==(const IndicatorText&) const = default;
};

struct IndicatorLayout {
  std::int32_t width = kIndicatorWidth;
  std::int32_t height = kIndicatorHeight;
  std::vector<IndicatorShape> shapes;  // drawn in order, under the texts
  std::vector<IndicatorText> texts;
};

IndicatorLayout LayOutIndicator(const IndicatorContent& content);

// The shapes in pixels, premultiplied by their coverage: RGB and alpha per
// pixel, rows top down. The texts go on top afterwards; they lie where the
// panel is opaque, so the alpha stays as it is here.
struct IndicatorPixels {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<Rgb> colour;
  std::vector<std::uint8_t> alpha;
  Rgb ColourAt(std::int32_t x, std::int32_t y) const { return colour[Index(x, y)]; }
  std::uint8_t AlphaAt(std::int32_t x, std::int32_t y) const { return alpha[Index(x, y)]; }
  std::size_t Index(std::int32_t x, std::int32_t y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
  }
};

IndicatorPixels RenderIndicatorShapes(const IndicatorLayout& layout);

// --- where and how long ------------------------------------------------------

// Centred near the bottom of the work area of the monitor the pointer is on,
// and never off that area; an area smaller than the panel gets its top left.
PixelRect PlaceIndicator(const PixelRect& workArea, std::int32_t width, std::int32_t height);

inline constexpr std::uint32_t kIndicatorFadeInMs = 90;
inline constexpr std::uint32_t kIndicatorHoldMs = 1500;  // from the switch to the start of the fade
inline constexpr std::uint32_t kIndicatorFadeOutMs = 350;
inline constexpr std::uint32_t kIndicatorFrameMs = 30;   // between two steps of a fade

// The indicator's opacity over time. A switch restarts the clock; one that
// comes while the indicator is still on the screen leaves it at full opacity
// rather than fading it in again.
class IndicatorFade {
 public:
  struct Frame {
    std::uint8_t alpha = 0;
    bool visible = false;
    // When to look again: nothing once it is hidden, so no timer runs then.
    std::optional<std::uint32_t> nextInMs;
  };

  void Restart(std::uint64_t nowMs);
  void Hide() { started_.reset(); }
  Frame At(std::uint64_t nowMs) const;

 private:
  std::optional<std::uint64_t> started_;
  std::uint8_t fromAlpha_ = 0;
};

}  // namespace zr
