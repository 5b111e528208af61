// What the button-function pop-ups decide: which strip is under the cursor,
// what an item stores in the button's field, where the sub-menu goes,
// whether the warning comes first, what a move or a click repaints and what
// a paint draws. The windows only ask and carry out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/ConfigRecord.h"
#include "config/FunctionTable.h"
#include "config/RecordRules.h"
#include "macros/MacroRecord.h"
#include "platform/Region.h"
#include "skin/Canvas.h"
#include "skin/ScreenPlacement.h"
#include "skin/SkinLayout.h"
#include "skin/UiState.h"

namespace zr {

inline constexpr std::int32_t kFirstButtonEntry = 25;  // main entries 25..30 are the six buttons
inline constexpr std::int32_t kLastButtonEntry = 30;
inline constexpr std::int32_t kMenuItems = 10;          // items with a label
inline constexpr std::int32_t kMenuStripsHit = 12;      // strips the hover test looks at
inline constexpr std::int32_t kPopupWidth = 300;
inline constexpr std::int32_t kPopupHeight = 300;
inline constexpr std::int32_t kSubMenuWidth = 300;
inline constexpr std::int32_t kSubMenuHeight = 400;

inline constexpr std::int32_t kWarningOk = 1;
inline constexpr std::int32_t kWarningCancel = 2;

// The button's entry on the screen. The entry comes from a file, so the
// sums are made wide: a huge height makes a spot reaching far down, not one
// wrapped round to the top.
ScreenArea SpotOnScreen(std::int32_t windowLeft, std::int32_t windowTop, const SkinEntry& entry);

// What of each window shows (its region): that is what has to stay on the screen.
ScreenSize MenuShownSize(const PopupMenuState& menus);
ScreenSize SubMenuShownSize(const PopupMenuState& menus);
ScreenSize WarningShownSize(const PopupMenuState& menus);

// The main menu and the warning open under the button's spot (above it
// when there is no room below), inside the work area of their monitor.
ScreenPoint MenuPlacement(const UiState& ui, const ScreenArea& workArea);
ScreenPoint WarningPlacement(const UiState& ui, const ScreenArea& workArea);
// The open sub-menu beside the main menu whose window is at (menuLeft,
// menuTop), level with the item that opened it where the work area allows.
ScreenPoint SubMenuPlacement(const PopupMenuState& menus, std::int32_t menuLeft, std::int32_t menuTop,
                             std::int32_t macroCount, const ScreenArea& workArea);

// Strip i (1-based) covers rows (i - 1)·height .. i·height - 1 of the full width.
std::int32_t StripUnder(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, std::int32_t strips);

// The function code a released main-menu item chooses; the group items and
// the strips without an item choose nothing.
std::optional<std::int32_t> MenuItemCode(std::int32_t item);
bool OpensSubMenu(std::int32_t item);

// Offset of the sub-menu's top from the main menu's top, so that its bottom
// lines up with the bottom of the item that opened it.
std::int64_t SubMenuTopOffset(std::int32_t group, std::int32_t itemHeight, std::int32_t macroCount);

// The macro group offers at most the twelve user macros: codes stop at 52.
std::int32_t MacroGroupCount(std::int32_t macroCount);
// Items of a group; any other hover value keeps the previous count.
std::int32_t SubMenuCount(std::int32_t group, std::int32_t macroCount, std::int32_t previousCount);
// The code of sub-menu item `item`; a hover that is not a group reuses the last code.
std::int32_t SubMenuCode(std::int32_t group, std::int32_t item, std::int32_t lastCode);
std::u16string SubMenuLabel(std::int32_t group, std::int32_t item, const FunctionNames& names,
                            const MacroTables& macros);

// Answer 1 over warning entry 0, 2 over entry 1, else 255.
std::int32_t WarningAnswerUnder(const WarningLayout& layout, std::int32_t x, std::int32_t y);

// --- What an input does to a pop-up ------------------------------------------

// What a pop-up's window carries out after an input, in this order: repaint
// the areas, replace the sub-menu (the menu only), report the choice, close.
struct PopupReaction {
  std::vector<PixelRect> repaint;
  // Close the open sub-menu and open the one of the hovered group, if any.
  bool replaceSubMenu = false;
  bool choiceMade = false;  // a button's function changed
  bool close = false;
};

// The window has been created from the skin image giving its shape (the
// mask, or else the normal image; nullptr when neither decodes): its strips'
// size is known and nothing is hovered or held yet.
void MenuOpened(PopupMenuState& menus, const RgbImage* shape);
// The sub-menu opens for the group the menu hovers, which it returns.
std::int32_t SubMenuOpened(PopupMenuState& menus, const RgbImage* shape, std::int32_t macroCount);
// The warning takes its size from a non-empty mask, else from its normal
// image; the region to cut the window to comes only from a mask.
std::optional<Region> WarningOpened(PopupMenuState& menus, const RgbImage* mask, const RgbImage* normal);

// A move repaints the strip (or warning answer) left and the one entered;
// the menu replaces its sub-menu whenever its hover changes.
PopupReaction MenuMove(PopupMenuState& menus, std::int32_t x, std::int32_t y);
PopupReaction SubMenuMove(PopupMenuState& menus, std::int32_t x, std::int32_t y);
PopupReaction WarningMove(PopupMenuState& menus, const WarningLayout& layout, std::int32_t x, std::int32_t y);

// A press shows the hovered strip pressed; the menu replaces its sub-menu.
PopupReaction MenuPress(PopupMenuState& menus);
PopupReaction SubMenuPress(PopupMenuState& menus);

// A release over an item with a function stores it for the button of
// `targetEntry` and closes; over a group the menu stays and replaces its
// sub-menu; a release over no sub-menu item does nothing.
PopupReaction MenuRelease(PopupMenuState& menus, ConfigRecord& config, std::int32_t targetEntry);
PopupReaction SubMenuRelease(PopupMenuState& menus, ConfigRecord& config, std::int32_t targetEntry);
// The warning's answer under the cursor at a release, if any.
std::optional<std::int32_t> WarningRelease(const PopupMenuState& menus);

// --- What a pop-up paint draws -------------------------------------------------

// A pop-up's frame: what of the window its region shows.
struct PopupFrame {
  std::int32_t width = 0;
  std::int32_t height = 0;
};
PopupFrame MenuFrame(const PopupMenuState& menus);
PopupFrame SubMenuFrame(const PopupMenuState& menus);
PopupFrame WarningFrame(const PopupMenuState& menus);

// Every operation of one paint onto a canvas holding the window's normal
// image, or nothing when `normalShown` is false: the frame is then filled
// with the missing-image colour first. Items are centred in their strips,
// the hovered one in red over its strip of the over (or, held, down) image.
void ComposeMenu(Canvas& canvas, const PopupMenuState& menus, const FunctionNames& names, bool normalShown);
void ComposeSubMenu(Canvas& canvas, const PopupMenuState& menus, std::int32_t group, const FunctionNames& names,
                    const MacroTables& macros, bool normalShown);
// The hovered answer over its spot of the over image; every text in red.
void ComposeWarning(Canvas& canvas, const PopupMenuState& menus, const WarningLayout& layout, bool normalShown);

}  // namespace zr
