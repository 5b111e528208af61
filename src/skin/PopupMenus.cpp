#include "skin/PopupMenus.h"

#include <algorithm>
#include <limits>

#include "config/FunctionTable.h"
#include "skin/PagePaint.h"
#include "skin/SkinImageFiles.h"

namespace zr {

static_assert(GroupItemCount(kMacroGroupItem) == kUserMacroSlots, "one user-macro code per user macro");
static_assert(GroupItemCount(kConstantMacroGroupItem) == kPlayableConstantMacros,
              "one constant-macro code per playable constant macro");

ScreenArea SpotOnScreen(std::int32_t windowLeft, std::int32_t windowTop, const SkinEntry& entry) {
  const std::int64_t left = std::int64_t{windowLeft} + entry.x;
  const std::int64_t top = std::int64_t{windowTop} + entry.y;
  return {left, top, left + std::max(entry.width, 0), top + std::max(entry.height, 0)};
}

ScreenSize MenuShownSize(const PopupMenuState& menus) {
  return {menus.menuItemWidth, std::int64_t{kMenuStrips} * menus.menuItemHeight + 1};
}

ScreenSize SubMenuShownSize(const PopupMenuState& menus) {
  if (menus.subMenuCount <= 0) return {0, 0};
  return {menus.subMenuItemWidth, std::int64_t{menus.subMenuCount} * menus.subMenuItemHeight + 1};
}

ScreenSize WarningShownSize(const PopupMenuState& menus) { return {menus.warningWidth, menus.warningHeight}; }

ScreenPosition MenuPlacement(const UiState& ui, const ScreenArea& workArea) {
  return PlaceUnderSpot(ui.popupSpot, MenuShownSize(ui.menus), workArea);
}

ScreenPosition WarningPlacement(const UiState& ui, const ScreenArea& workArea) {
  return PlaceUnderSpot(ui.popupSpot, WarningShownSize(ui.menus), workArea);
}

ScreenPosition SubMenuPlacement(const PopupMenuState& menus, std::int32_t menuLeft, std::int32_t menuTop,
                             std::int32_t macroCount, const ScreenArea& workArea) {
  const std::int64_t top =
      std::int64_t{menuTop} + SubMenuTopOffset(menus.menuHover, menus.menuItemHeight, macroCount);
  return PlaceBesideMenu(menuLeft, menus.menuItemWidth, top, SubMenuShownSize(menus), workArea);
}

std::int32_t StripUnder(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                        std::int32_t strips) {
  if (x < 0 || x >= width || y < 0 || height <= 0) return kNoSpot;
  const std::int32_t strip = y / height + 1;
  return strip <= strips ? strip : kNoSpot;
}

std::optional<std::int32_t> MenuItemCode(std::int32_t item) { return CodeOfGroupItem(kMainMenuGroup, item); }

bool OpensSubMenu(std::int32_t item) { return item >= kAdvancedGroupItem && item <= kConstantMacroGroupItem; }

std::int64_t SubMenuTopOffset(std::int32_t group, std::int32_t itemHeight, std::int32_t macroCount) {
  const std::int64_t h = itemHeight;
  switch (group) {
    case kAdvancedGroupItem: return h;
    case kMultimediaGroupItem: return -2 * h;
    case kMacroGroupItem: return (9 - MacroGroupCount(macroCount)) * h;
    case kConstantMacroGroupItem: return 2 * h;
    default: return 0;
  }
}

std::int32_t MacroGroupCount(std::int32_t macroCount) {
  return std::clamp(macroCount, 0, GroupItemCount(kMacroGroupItem));
}

std::int32_t SubMenuCount(std::int32_t group, std::int32_t macroCount, std::int32_t previousCount) {
  if (group == kMacroGroupItem) return MacroGroupCount(macroCount);
  return OpensSubMenu(group) ? GroupItemCount(group) : previousCount;
}

std::int32_t SubMenuCode(std::int32_t group, std::int32_t item, std::int32_t lastCode) {
  if (!OpensSubMenu(group)) return lastCode;
  return CodeOfGroupItem(group, item).value_or(lastCode);
}

std::u16string SubMenuLabel(std::int32_t group, std::int32_t item, const FunctionNames& names,
                            const MacroTables& macros) {
  const std::optional<std::int32_t> code = OpensSubMenu(group) ? CodeOfGroupItem(group, item) : std::nullopt;
  return code ? ButtonFunctionLabel(*code, names, macros) : std::u16string();
}

std::int32_t WarningAnswerUnder(const WarningLayout& layout, std::int32_t x, std::int32_t y) {
  if (layout[0].Contains(x, y)) return kWarningOk;
  if (layout[1].Contains(x, y)) return kWarningCancel;
  return kNoSpot;
}

ScreenPosition CentredText(std::int32_t boxLeft, std::int32_t boxTop, std::int32_t boxWidth, std::int32_t boxHeight,
                        std::int32_t textWidth, std::int32_t textHeight) {
  const auto centre = [](std::int64_t start, std::int64_t box, std::int64_t text) {
    const std::int64_t at = start + (box - text) / 2;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(at, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
  };
  return {centre(boxLeft, boxWidth, textWidth), centre(boxTop, boxHeight, textHeight)};
}

}  // namespace zr
