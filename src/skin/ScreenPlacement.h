// Where a window the utility puts on the screen goes: inside the work area
// of its monitor, never off it, the way the system places its own menus.
// Positions come from skin files, so the arithmetic is done in 64 bits and
// only the clamped result goes back to 32.
#pragma once

#include <cstdint>

#include "platform/Geometry.h"

namespace zr {

struct ScreenSize {
  std::int64_t width = 0;
  std::int64_t height = 0;
};

// Right and bottom excluded, like a window rectangle (and PixelRect); its
// edges are 64-bit because a spot on the screen is a window's position plus
// a file's offsets, which may pass the 32-bit range before they are clamped.
struct ScreenArea {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;
  bool operator==(const ScreenArea&) const = default;
};

// The top-left corner for a window of `size` wanted at (left, top): moved
// left and up as far as it sticks out on the right or at the bottom, then
// right and down as far as it sticks out on the left or at the top, so a
// window larger than the area keeps its top-left corner (and its start) in view.
ScreenPoint PlaceInWorkArea(std::int64_t left, std::int64_t top, ScreenSize size, const ScreenArea& area);

// A pop-up for a spot: left edges aligned, just below the spot where it
// fits, otherwise with its bottom edge on the spot's top; then in the area.
ScreenPoint PlaceUnderSpot(const ScreenArea& spot, ScreenSize size, const ScreenArea& area);

// A sub-menu for an item of a menu (`menuLeft`, `menuWidth` on the screen):
// right of the menu where it fits, otherwise left of it (the side with more
// room when neither fits), its top at `wantedTop`; then in the area.
ScreenPoint PlaceBesideMenu(std::int64_t menuLeft, std::int64_t menuWidth, std::int64_t wantedTop, ScreenSize size,
                            const ScreenArea& area);

}  // namespace zr
