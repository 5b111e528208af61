#include "skin/PopupMenus.h"

#include <algorithm>
#include <limits>

#include "config/FunctionTable.h"
#include "skin/MaskShape.h"
#include "skin/PagePaint.h"
#include "skin/SkinImageFiles.h"

namespace zr {

static_assert(GroupItemCount(kMacroGroupItem) == kUserMacroSlots, "one user-macro code per user macro");
static_assert(GroupItemCount(kConstantMacroGroupItem) == kPlayableConstantMacros,
              "one constant-macro code per playable constant macro");

namespace {

// The top row of strip `strip` (1-based) of strips `height` high, kept in
// the 32-bit range.
std::int32_t StripTop(std::int32_t strip, std::int32_t height) {
  const std::int64_t top = std::int64_t{strip - 1} * height;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(top, 0, std::numeric_limits<std::int32_t>::max()));
}

// Strip `strip` of a window whose strips are `width` x `height`.
PixelRect StripArea(std::int32_t strip, std::int32_t width, std::int32_t height) {
  return SpotRect(0, StripTop(strip, height), width, height);
}

bool IsAnswer(std::int32_t hover) { return hover == kWarningOk || hover == kWarningCancel; }

// The strips whose look changes when the hover goes from `from` to `to`.
PopupReaction StripsChanged(std::int32_t from, std::int32_t to, std::int32_t width, std::int32_t height) {
  PopupReaction reaction;
  for (const std::int32_t strip : {from, to})
    if (strip != kNoSpot) reaction.repaint.push_back(StripArea(strip, width, height));
  return reaction;
}

PopupReaction HoveredStrip(std::int32_t hover, std::int32_t width, std::int32_t height) {
  return StripsChanged(kNoSpot, hover, width, height);
}

std::optional<PixelRect> Clip(const PixelRect& area, const PopupFrame& frame) {
  return ClipToFrame(area, frame.width, frame.height);
}

void Base(Canvas& canvas, const PopupFrame& frame, bool normalShown) {
  if (!normalShown && frame.width > 0 && frame.height > 0)
    canvas.Fill({0, 0, frame.width, frame.height}, kMissingImageColour);
}

// A menu of `items` labelled strips, of which strips 1..`hoverStrips` show a hover.
template <typename LabelOf>
void ComposeStrips(Canvas& canvas, const PopupFrame& frame, std::int32_t width, std::int32_t height, std::int32_t hover,
                   bool held, std::int32_t hoverStrips, std::int32_t items, bool normalShown, LabelOf labelOf) {
  Base(canvas, frame, normalShown);
  if (hover >= 1 && hover <= hoverStrips)
    if (const auto area = Clip(StripArea(hover, width, height), frame))
      canvas.CopySpot(held ? SpotSource::Pressed : SpotSource::Hovered, *area);
  for (std::int32_t item = 1; item <= items; ++item)
    DrawCentred(canvas, 0, StripTop(item, height), width, height, labelOf(item), item == hover ? kTextRed : kTextWhite);
}

PopupFrame FrameOf(const ScreenSize& size) {
  const auto narrow = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, 0, std::numeric_limits<std::int32_t>::max()));
  };
  return {narrow(size.width), narrow(size.height)};
}

}  // namespace

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

ScreenPoint MenuPlacement(const UiState& ui, const ScreenArea& workArea) {
  return PlaceUnderSpot(ui.popupSpot, MenuShownSize(ui.menus), workArea);
}

ScreenPoint WarningPlacement(const UiState& ui, const ScreenArea& workArea) {
  return PlaceUnderSpot(ui.popupSpot, WarningShownSize(ui.menus), workArea);
}

ScreenPoint SubMenuPlacement(const PopupMenuState& menus, std::int32_t menuLeft, std::int32_t menuTop,
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

void MenuOpened(PopupMenuState& menus, const RgbImage* shape) {
  menus.menuItemWidth = shape ? shape->Width() : 0;
  menus.menuItemHeight = shape ? shape->Height() / kMenuStrips : 0;
  menus.menuHover = kNoSpot;
  menus.menuButtonHeld = false;
}

std::int32_t SubMenuOpened(PopupMenuState& menus, const RgbImage* shape, std::int32_t macroCount) {
  menus.subMenuItemWidth = shape ? shape->Width() : 0;
  menus.subMenuItemHeight = shape ? shape->Height() / kSubMenuStrips : 0;
  menus.subMenuCount = SubMenuCount(menus.menuHover, macroCount, menus.subMenuCount);
  menus.subMenuHover = kNoSpot;
  menus.subMenuHeld = false;
  menus.choiceFinished = false;
  return menus.menuHover;
}

std::optional<Region> WarningOpened(PopupMenuState& menus, const RgbImage* mask, const RgbImage* normal) {
  menus.warningHover = kNoSpot;
  if (mask != nullptr && !mask->Empty()) {
    menus.warningWidth = mask->Width();
    menus.warningHeight = mask->Height();
    return DarkPixelRegion(*mask);
  }
  if (normal != nullptr) {
    menus.warningWidth = normal->Width();
    menus.warningHeight = normal->Height();
  }
  return std::nullopt;
}

PopupReaction MenuMove(PopupMenuState& menus, std::int32_t x, std::int32_t y) {
  const std::int32_t from = menus.menuHover;
  menus.menuHover = StripUnder(x, y, menus.menuItemWidth, menus.menuItemHeight, kMenuStripsHit);
  if (menus.menuHover == from) return {};
  PopupReaction reaction = StripsChanged(from, menus.menuHover, menus.menuItemWidth, menus.menuItemHeight);
  reaction.replaceSubMenu = true;
  return reaction;
}

PopupReaction SubMenuMove(PopupMenuState& menus, std::int32_t x, std::int32_t y) {
  const std::int32_t from = menus.subMenuHover;
  menus.subMenuHover = StripUnder(x, y, menus.subMenuItemWidth, menus.subMenuItemHeight, menus.subMenuCount);
  if (menus.subMenuHover == from) return {};
  return StripsChanged(from, menus.subMenuHover, menus.subMenuItemWidth, menus.subMenuItemHeight);
}

PopupReaction WarningMove(PopupMenuState& menus, const WarningLayout& layout, std::int32_t x, std::int32_t y) {
  const std::int32_t from = menus.warningHover;
  menus.warningHover = WarningAnswerUnder(layout, x, y);
  PopupReaction reaction;
  if (menus.warningHover == from) return reaction;
  for (const std::int32_t answer : {from, menus.warningHover})
    if (IsAnswer(answer)) reaction.repaint.push_back(layout[answer - 1].Rect());
  return reaction;
}

PopupReaction MenuPress(PopupMenuState& menus) {
  menus.menuButtonHeld = true;
  PopupReaction reaction = HoveredStrip(menus.menuHover, menus.menuItemWidth, menus.menuItemHeight);
  reaction.replaceSubMenu = true;
  return reaction;
}

PopupReaction SubMenuPress(PopupMenuState& menus) {
  menus.subMenuHeld = true;
  return HoveredStrip(menus.subMenuHover, menus.subMenuItemWidth, menus.subMenuItemHeight);
}

PopupReaction MenuRelease(PopupMenuState& menus, ConfigRecord& config, std::int32_t targetEntry) {
  menus.menuButtonHeld = false;
  PopupReaction reaction = HoveredStrip(menus.menuHover, menus.menuItemWidth, menus.menuItemHeight);
  const std::optional<std::int32_t> code = MenuItemCode(menus.menuHover);
  if (!code) {  // a group or no item: the menu stays
    reaction.replaceSubMenu = true;
    return reaction;
  }
  StoreButtonFunction(config, targetEntry - kFirstButtonEntry, *code);
  reaction.choiceMade = reaction.close = true;
  return reaction;
}

PopupReaction SubMenuRelease(PopupMenuState& menus, ConfigRecord& config, std::int32_t targetEntry) {
  menus.subMenuHeld = false;
  if (menus.subMenuHover == kNoSpot) return {};
  const std::int32_t code = SubMenuCode(menus.menuHover, menus.subMenuHover, menus.lastSubMenuCode);
  menus.lastSubMenuCode = code;
  StoreButtonFunction(config, targetEntry - kFirstButtonEntry, code);
  menus.choiceFinished = true;
  PopupReaction reaction = HoveredStrip(menus.subMenuHover, menus.subMenuItemWidth, menus.subMenuItemHeight);
  reaction.choiceMade = reaction.close = true;
  return reaction;
}

std::optional<std::int32_t> WarningRelease(const PopupMenuState& menus) {
  if (IsAnswer(menus.warningHover)) return menus.warningHover;
  return std::nullopt;
}

PopupFrame MenuFrame(const PopupMenuState& menus) { return FrameOf(MenuShownSize(menus)); }
PopupFrame SubMenuFrame(const PopupMenuState& menus) { return FrameOf(SubMenuShownSize(menus)); }
PopupFrame WarningFrame(const PopupMenuState& menus) { return FrameOf(WarningShownSize(menus)); }

void ComposeMenu(Canvas& canvas, const PopupMenuState& menus, const FunctionNames& names, bool normalShown) {
  ComposeStrips(canvas, MenuFrame(menus), menus.menuItemWidth, menus.menuItemHeight, menus.menuHover,
                menus.menuButtonHeld, kMenuStripsHit, kMenuItems, normalShown,
                [&](std::int32_t item) { return names[item]; });
}

void ComposeSubMenu(Canvas& canvas, const PopupMenuState& menus, std::int32_t group, const FunctionNames& names,
                    const MacroTables& macros, bool normalShown) {
  ComposeStrips(canvas, SubMenuFrame(menus), menus.subMenuItemWidth, menus.subMenuItemHeight, menus.subMenuHover,
                menus.subMenuHeld, menus.subMenuCount, menus.subMenuCount, normalShown,
                [&](std::int32_t item) { return SubMenuLabel(group, item, names, macros); });
}

void ComposeWarning(Canvas& canvas, const PopupMenuState& menus, const WarningLayout& layout, bool normalShown) {
  const PopupFrame frame = WarningFrame(menus);
  Base(canvas, frame, normalShown);
  if (IsAnswer(menus.warningHover))
    if (const auto area = Clip(layout[menus.warningHover - 1].Rect(), frame))
      canvas.CopySpot(SpotSource::Hovered, *area);
  for (const SkinEntry& entry : layout)
    DrawCentred(canvas, entry.x, entry.y, entry.width, entry.height, entry.label, kTextRed);
}

}  // namespace zr
