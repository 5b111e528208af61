// What the button-function pop-ups decide: which strip is under the cursor,
// what an item stores in the button's field, where the sub-menu goes and
// whether the warning comes first. The windows only ask.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/ConfigRecord.h"
#include "config/FunctionTable.h"
#include "config/RecordRules.h"
#include "macros/MacroRecord.h"
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
ScreenPosition MenuPlacement(const UiState& ui, const ScreenArea& workArea);
ScreenPosition WarningPlacement(const UiState& ui, const ScreenArea& workArea);
// The open sub-menu beside the main menu whose window is at (menuLeft,
// menuTop), level with the item that opened it where the work area allows.
ScreenPosition SubMenuPlacement(const PopupMenuState& menus, std::int32_t menuLeft, std::int32_t menuTop,
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

// The left-top corner that centres a text of the given size in a box, with
// truncating divisions; a box from a file cannot make the sums overflow.
ScreenPosition CentredText(std::int32_t boxLeft, std::int32_t boxTop, std::int32_t boxWidth, std::int32_t boxHeight,
                        std::int32_t textWidth, std::int32_t textHeight);

}  // namespace zr
