// Where the pop-ups, the sub-menus and the warning land on real desktops:
// inside the work area whatever the screen, the window's place on it or the
// skin's numbers, below the button where there is room and above it where not.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "skin/PopupMenus.h"
#include "skin/ScreenPlacement.h"

namespace zr::test {
namespace {

// The shipped skin: a 1000 x 600 window, the six buttons' spots, the menus' strips.
constexpr std::int32_t kWindowWidth = 1000, kWindowHeight = 600;
constexpr std::int32_t kMenuWidth = 210, kMenuItem = 28, kSubMenuItem = 28;
SkinEntry ButtonEntry(std::int32_t button) { return {330, 182 + 60 * button, 210, 30, u""}; }

bool Inside(ScreenPoint at, ScreenSize size, const ScreenArea& area) {
  return at.x >= area.left && at.y >= area.top && at.x + size.width <= area.right && at.y + size.height <= area.bottom;
}

struct Desktop {
  const char* name;
  ScreenArea work;  // the monitor without its taskbar
};
const Desktop kDesktops[] = {
    {"1366x768, taskbar below", {0, 0, 1366, 728}},
    {"1920x1080, taskbar below", {0, 0, 1920, 1040}},
    {"1366x768, taskbar on the left", {62, 0, 1366, 768}},
    {"1920x1080, taskbar on top", {0, 40, 1920, 1080}},
    {"second monitor left of and above the first", {-1920, -300, 0, 780}},
};

enum class Where { Centred, Left, Right, Top, Bottom };
struct WindowPlace {
  const char* name;
  Where where;
};
const WindowPlace kPlaces[] = {{"centred", Where::Centred}, {"against the left edge", Where::Left},
                               {"against the right edge", Where::Right}, {"against the top", Where::Top},
                               {"against the bottom", Where::Bottom}};

ScreenPoint WindowAt(const ScreenArea& work, Where where) {
  const std::int32_t left = static_cast<std::int32_t>(work.left), top = static_cast<std::int32_t>(work.top);
  const std::int32_t right = static_cast<std::int32_t>(work.right), bottom = static_cast<std::int32_t>(work.bottom);
  const std::int32_t cx = left + (right - left - kWindowWidth) / 2, cy = top + (bottom - top - kWindowHeight) / 2;
  switch (where) {
    case Where::Centred: return {cx, cy};
    case Where::Left: return {left, cy};
    case Where::Right: return {right - kWindowWidth, cy};
    case Where::Top: return {cx, top};
    case Where::Bottom: return {cx, bottom - kWindowHeight};
  }
  return {};
}

void UseShippedMenus(UiState& ui) {
  ui.menus.menuItemWidth = kMenuWidth;
  ui.menus.menuItemHeight = kMenuItem;
  ui.menus.subMenuItemWidth = kMenuWidth;
  ui.menus.subMenuItemHeight = kSubMenuItem;
  ui.menus.warningWidth = 440;
  ui.menus.warningHeight = 180;
}

TEST(PopupPlacement, EveryButtonsMenuAndWarningStayOnEveryDesktop) {
  for (const Desktop& desktop : kDesktops) {
    for (const WindowPlace& place : kPlaces) {
      const ScreenPoint window = WindowAt(desktop.work, place.where);
      for (std::int32_t button = 0; button < 6; ++button) {
        SCOPED_TRACE(testing::Message() << desktop.name << ", window " << place.name << ", button " << button + 1);
        UiState ui;
        UseShippedMenus(ui);
        ui.popupSpot = SpotOnScreen(window.x, window.y, ButtonEntry(button));
        const ScreenArea& spot = ui.popupSpot;
        for (const bool warning : {false, true}) {
          const ScreenSize size = warning ? WarningShownSize(ui.menus) : MenuShownSize(ui.menus);
          const ScreenPoint at = warning ? WarningPlacement(ui, desktop.work) : MenuPlacement(ui, desktop.work);
          EXPECT_TRUE(Inside(at, size, desktop.work)) << (warning ? "warning" : "menu") << " at " << at.x << "," << at.y;
          if (spot.bottom + size.height <= desktop.work.bottom) {
            EXPECT_EQ(at.y, spot.bottom) << "room below: just under the button";
          } else {
            EXPECT_EQ(at.y + size.height, spot.top) << "no room below: its bottom on the button's top";
          }
          if (spot.left + size.width <= desktop.work.right) EXPECT_EQ(at.x, spot.left);
          else EXPECT_EQ(at.x + size.width, desktop.work.right) << "shifted left only as far as needed";
        }
      }
    }
  }
}

TEST(PopupPlacement, TheDpiButtonOnASmallScreenOpensAboveItself) {
  // 1366 x 768 with a 40-pixel taskbar, the window centred: below the DPI
  // button there are 728 - 596 = 132 pixels for a 281-pixel menu.
  UiState ui;
  UseShippedMenus(ui);
  const ScreenArea work{0, 0, 1366, 728};
  const ScreenPoint window = WindowAt(work, Where::Centred);
  ASSERT_EQ(window.x, 183);
  ASSERT_EQ(window.y, 64);
  ui.popupSpot = SpotOnScreen(window.x, window.y, ButtonEntry(5));
  EXPECT_EQ(MenuPlacement(ui, work), (ScreenPoint{513, 546 - 281}));
  // The first button still has room below.
  ui.popupSpot = SpotOnScreen(window.x, window.y, ButtonEntry(0));
  EXPECT_EQ(MenuPlacement(ui, work), (ScreenPoint{513, 276}));
}

TEST(PopupPlacement, SubMenusOpenBesideTheirMenuAndLevelWithTheirItem) {
  struct Row {
    const char* what;
    ScreenArea work;
    std::int32_t menuLeft, menuTop, group, macros;
    ScreenPoint want;
  };
  const Row rows[] = {
      {"room on the right", {0, 0, 1366, 728}, 513, 265, 7, 3, {723, 265 + 28}},
      {"multimedia starts two items above the menu", {0, 0, 1366, 728}, 513, 265, 8, 3, {723, 265 - 56}},
      {"macros end level with their item", {0, 0, 1366, 728}, 513, 265, 9, 3, {723, 265 + 6 * 28}},
      {"no room on the right: on the left", {0, 0, 1366, 728}, 1000, 265, 10, 3, {790, 265 + 56}},
      {"left of a menu on a monitor left of the first", {-1920, -300, 0, 780}, -300, 100, 7, 3, {-510, 128}},
      {"multimedia at the top of the area slides down", {0, 40, 1920, 1080}, 500, 60, 8, 3, {710, 40}},
      {"constants near the bottom slide up", {0, 0, 1366, 728}, 513, 500, 10, 3, {723, 728 - 8 * 28 - 1}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    UiState ui;
    UseShippedMenus(ui);
    ui.menus.menuHover = row.group;
    ui.menus.subMenuCount = SubMenuCount(row.group, row.macros, 0);
    const ScreenPoint at = SubMenuPlacement(ui.menus, row.menuLeft, row.menuTop, row.macros, row.work);
    EXPECT_EQ(at, row.want);
    EXPECT_TRUE(Inside(at, SubMenuShownSize(ui.menus), row.work));
  }
}

TEST(PopupPlacement, ItemsOfEveryMenuAndSubMenuOfTheDpiButtonAreOnTheScreen) {
  // As a person on a small screen with the window in each place sees it.
  const ScreenArea work{0, 0, 1366, 728};
  for (const WindowPlace& place : kPlaces) {
    SCOPED_TRACE(place.name);
    UiState ui;
    UseShippedMenus(ui);
    const ScreenPoint window = WindowAt(work, place.where);
    ui.popupSpot = SpotOnScreen(window.x, window.y, ButtonEntry(5));
    const ScreenPoint menu = MenuPlacement(ui, work);
    ASSERT_TRUE(Inside(menu, MenuShownSize(ui.menus), work));
    for (std::int32_t group = kAdvancedGroupItem; group <= kConstantMacroGroupItem; ++group) {
      ui.menus.menuHover = group;
      ui.menus.subMenuCount = SubMenuCount(group, 12, 0);
      const ScreenPoint sub = SubMenuPlacement(ui.menus, menu.x, menu.y, 12, work);
      EXPECT_TRUE(Inside(sub, SubMenuShownSize(ui.menus), work)) << "group " << group;
      const bool overlapsMenu = sub.x < menu.x + kMenuWidth && menu.x < sub.x + kMenuWidth;
      EXPECT_FALSE(overlapsMenu) << "group " << group << " covers the menu it belongs to";
    }
  }
}

TEST(PopupPlacement, NumbersFromAFileCannotOverflowOrLeaveTheArea) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  const ScreenArea work{0, 0, 1920, 1040};
  const SkinEntry entries[] = {
      {330, 482, 210, kMax, u""}, {kMax, kMax, kMax, kMax, u""}, {kMin, kMin, 10, 10, u""},
      {0, kMax - 5, 10, kMax, u""}, {330, 482, kMin, kMin, u""}, {-5000, 2000000000, 0, 0, u""},
  };
  for (const SkinEntry& entry : entries) {
    for (const ScreenPoint window : {ScreenPoint{460, 220}, ScreenPoint{kMax, kMax}, ScreenPoint{kMin, kMin}}) {
      SCOPED_TRACE(testing::Message() << entry.x << "," << entry.y << " " << entry.width << "x" << entry.height
                                      << " in a window at " << window.x << "," << window.y);
      UiState ui;
      UseShippedMenus(ui);
      ui.popupSpot = SpotOnScreen(window.x, window.y, entry);
      EXPECT_TRUE(Inside(MenuPlacement(ui, work), MenuShownSize(ui.menus), work));
      EXPECT_TRUE(Inside(WarningPlacement(ui, work), WarningShownSize(ui.menus), work));
    }
  }
  // A menu taller than the area keeps its top (and its first items) in view.
  EXPECT_EQ(PlaceInWorkArea(50, 600, ScreenSize{100, 5000}, work), (ScreenPoint{50, 0}));
  EXPECT_EQ(PlaceInWorkArea(1900, 10, ScreenSize{4000, 10}, work), (ScreenPoint{0, 10}));
  // Text centred in a box from a file stays a number.
  EXPECT_EQ(CentredText(kMax, 0, kMax, 10, 0, 0).x, kMax);
  EXPECT_EQ(CentredText(kMin, 0, kMin, 10, 100, 0).x, kMin);
}

TEST(ChildControls, AFilesRectangleIsClippedToTheWindow) {
  struct Row {
    PixelRect file, want;
  };
  const Row rows[] = {
      {{40, 200, 300, 260}, {40, 200, 300, 260}},
      {SpotRect(600, 300, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()),
       {600, 300, 1000, 600}},
      {{-100000, -5, 100000, 50}, {0, 0, 1000, 50}},
      {{1200, 700, 1300, 800}, {1000, 600, 1000, 600}},
      {{300, 260, 40, 200}, {40, 200, 300, 260}},
  };
  for (const Row& row : rows) EXPECT_EQ(ClipToWindow(row.file, kWindowWidth, kWindowHeight), row.want);
}

}  // namespace
}  // namespace zr::test
