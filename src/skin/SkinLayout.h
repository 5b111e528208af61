// The positioned spots of the skin and the tables the layout files fill.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Geometry.h"

namespace zr {

// x + width and y + height of a hand-edited file may pass the 32-bit range;
// they stop at its edge instead of wrapping round.
PixelRect SpotRect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

// The part of a rectangle inside a window of the given size (nothing
// outside it; an empty rectangle at the nearest edge when none is inside):
// a child window made from a file's rectangle stays within its parent.
PixelRect ClipToWindow(const PixelRect& rect, std::int32_t width, std::int32_t height);

struct SkinEntry {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::u16string label;

  PixelRect Rect() const { return SpotRect(x, y, width, height); }
  // Right and bottom edges excluded, so an entry without width or height holds no point.
  bool Contains(std::int32_t px, std::int32_t py) const;
  bool operator==(const SkinEntry&) const = default;
};

inline constexpr std::size_t kMainLayoutEntries = 124;
inline constexpr std::size_t kAdvancedLayoutEntries = 52;
inline constexpr std::size_t kColorLayoutEntries = 13;
inline constexpr std::size_t kWarningLayoutEntries = 3;

using MainLayout = std::array<SkinEntry, kMainLayoutEntries>;
using AdvancedLayout = std::array<SkinEntry, kAdvancedLayoutEntries>;
using ColorLayout = std::array<SkinEntry, kColorLayoutEntries>;
using WarningLayout = std::array<SkinEntry, kWarningLayoutEntries>;

// Display names of button-function codes, by key 1..54.
class FunctionNames {
 public:
  static constexpr std::int32_t kFirstKey = 1;
  static constexpr std::int32_t kLastKey = 54;

  // A code from a file may be anything; outside 1..54 it has the empty name.
  const std::u16string& operator[](std::int32_t key) const;
  void Set(std::int32_t key, std::u16string name);

 private:
  std::array<std::u16string, kLastKey + 1> names_{};
};

// Where the advanced page's child controls go (their window ids are
// editor_control's, macros/MacroEditor.h).
struct AdvancedControlRects {
  PixelRect repeatCountEdit;  // EDIT 3
  PixelRect macroNameEdit;    // EDIT 4
  PixelRect macroList;        // MACRODISPLAY 1
  PixelRect stepList;         // MACRODISPLAY 2
};

struct SkinLayouts {
  MainLayout main;
  AdvancedLayout advanced;
  ColorLayout color;
  WarningLayout warning;
  FunctionNames functionNames;
  AdvancedControlRects controls;
};

}  // namespace zr
