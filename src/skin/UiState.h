// What the interface thread knows about the cursor, the page and the
// pop-ups: the input handling writes it, the paint reads it.
#pragma once

#include <atomic>
#include <cstdint>

#include "skin/ScreenPlacement.h"

namespace zr {

enum class Page : std::uint8_t { Main = 0, Advanced = 1, Colour = 2 };

inline constexpr std::int32_t kNoSpot = 255;  // no spot under the cursor

// The button-function pop-ups: the main menu, its sub-menu and the warning.
// Some of it outlives the windows on purpose: the sub-menu's count and last
// code carry over from one window to the next.
struct PopupMenuState {
  std::int32_t menuItemWidth = 0;      // Wm
  std::int32_t menuItemHeight = 0;     // hm
  std::int32_t menuHover = kNoSpot;    // 1..12
  bool menuButtonHeld = false;         // MenuButtonHeld
  bool subMenuOpen = false;            // SubMenuOpen
  std::int32_t lastSubMenuCode = 0;
  // Set by a sub-menu choice; the main window's paint consumes it by
  // closing the main menu.
  bool choiceFinished = false;         // ChoiceFinished
  std::int32_t subMenuItemWidth = 0;   // Ws (of the open sub-menu)
  std::int32_t subMenuItemHeight = 0;  // hs
  std::int32_t subMenuCount = 0;
  std::int32_t subMenuHover = kNoSpot;
  bool subMenuHeld = false;
  std::int32_t warningWidth = 0;       // Ww
  std::int32_t warningHeight = 0;      // Hh
  std::int32_t warningHover = kNoSpot; // answer 1, 2
};

struct UiState {
  // The colour-preview worker reads the page to know when to end.
  std::atomic<Page> currentPage{Page::Main};
  std::int32_t mainHover = kNoSpot;
  std::int32_t colourHover = kNoSpot;
  std::int32_t advancedHover = kNoSpot;
  std::int32_t previousMainHover = kNoSpot;
  std::int32_t previousColourHover = kNoSpot;
  std::int32_t previousAdvancedHover = kNoSpot;
  bool pressed = false;
  bool popupOpen = false;
  std::int32_t popupTargetEntry = 0;  // main entry 25..30 of the last pop-up
  // The target entry on the screen: the pop-up and the warning open under it.
  ScreenArea popupSpot;
  PopupMenuState menus;
};

// Written by the colour-preview worker, read by the paint.
struct ColourPreviewState {
  std::atomic<std::int32_t> index{0};     // 0..3: the DPI level colour shown
  std::atomic<std::uint8_t> grey{0};      // nonzero: the preview shows the LED off
  // Who runs the preview, decided by compare-and-swap alone (see
  // ClaimColourPreview and EndColourPreview): 0 no worker, 1 a worker runs,
  // 2 a worker runs and the page was entered again since it last looked.
  std::atomic<std::uint8_t> running{0};
};

}  // namespace zr
