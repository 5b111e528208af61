// The button-function pop-ups' decisions: the left-click rule, the strips,
// the sub-menus' counts, codes and placement, what a move or a click does to
// a pop-up and what its paint draws.
#include <gtest/gtest.h>

#include <vector>

#include "shared/RecordingCanvas.h"
#include "skin/PagePaint.h"
#include "skin/PopupMenus.h"
#include "skin/SkinImageFiles.h"

namespace zr::test {
namespace {

void SetCodes(ConfigRecord& record, std::array<std::int32_t, 6> codes) {
  for (int s = 0; s < kButtonSlots; ++s) record.K[s] = codes[s];
}
std::array<std::int32_t, 6> Codes(const ConfigRecord& record) {
  std::array<std::int32_t, 6> codes{};
  for (int s = 0; s < kButtonSlots; ++s) codes[s] = record.K[s];
  return codes;
}

TEST(LeftClickRule, TheLeftClickIsNeverLost) {
  struct Row {
    const char* what;
    std::array<std::int32_t, 6> before;
    std::int32_t button, code;
    std::array<std::int32_t, 6> after;
  };
  const Row rows[] = {
      {"the next button takes it", {3, 2, 1, 4, 5, 6}, 2, 5, {3, 2, 5, 1, 5, 6}},
      {"the last button keeps it", {3, 2, 4, 4, 5, 1}, 5, 5, {3, 2, 4, 4, 5, 1}},
      {"another button still has it", {1, 2, 1, 4, 5, 6}, 2, 41, {1, 2, 41, 4, 5, 6}},
      {"choosing the left click", {3, 2, 4, 4, 5, 6}, 0, 1, {1, 2, 4, 4, 5, 6}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ConfigRecord record;
    SetCodes(record, row.before);
    StoreButtonFunction(record, row.button, row.code);
    EXPECT_EQ(Codes(record), row.after);
  }
  ConfigRecord record;
  SetCodes(record, {1, 3, 2, 4, 5, 6});
  StoreButtonFunction(record, 6, 5);  // no such button
  EXPECT_EQ(Codes(record), (std::array<std::int32_t, 6>{1, 3, 2, 4, 5, 6}));
}

TEST(MenuStrips, ItemsAreEqualStripsAndOnlyOneToSixChoose) {
  EXPECT_EQ(StripUnder(0, 0, 120, 20, kMenuStripsHit), 1);
  EXPECT_EQ(StripUnder(119, 19, 120, 20, kMenuStripsHit), 1);
  EXPECT_EQ(StripUnder(5, 20, 120, 20, kMenuStripsHit), 2);
  EXPECT_EQ(StripUnder(5, 200, 120, 20, kMenuStripsHit), 11);  // the region's bottom row
  EXPECT_EQ(StripUnder(120, 5, 120, 20, kMenuStripsHit), kNoSpot);
  EXPECT_EQ(StripUnder(5, -1, 120, 20, kMenuStripsHit), kNoSpot);
  EXPECT_EQ(StripUnder(5, 240, 120, 20, kMenuStripsHit), kNoSpot);
  EXPECT_EQ(StripUnder(5, 5, 120, 0, kMenuStripsHit), kNoSpot);  // no mask, no strips
  EXPECT_EQ(StripUnder(5, 60, 120, 20, 3), kNoSpot);            // a sub-menu of three

  for (std::int32_t item = 1; item <= 6; ++item) EXPECT_EQ(MenuItemCode(item), item);
  for (std::int32_t item : {7, 8, 9, 10, 11, 12, 255}) {
    EXPECT_FALSE(MenuItemCode(item)) << item;
    EXPECT_EQ(OpensSubMenu(item), item <= 10) << item;
  }
}

TEST(SubMenus, EachEndsLevelWithTheItemThatOpenedIt) {
  constexpr std::int32_t h = 22;
  for (std::int32_t macros : {0, 1, 3, 12}) {
    for (std::int32_t group = 7; group <= 10; ++group) {
      SCOPED_TRACE(testing::Message() << "group " << group << ", macros " << macros);
      const std::int32_t count = SubMenuCount(group, macros, -1);
      EXPECT_EQ(SubMenuTopOffset(group, h, macros) + count * h, group * h);
    }
  }
  EXPECT_EQ(SubMenuCount(9, 3, 6), 3);
  EXPECT_EQ(SubMenuCount(9, 0, 6), 0);
  EXPECT_EQ(SubMenuCount(9, 20, 6), 12);  // codes stop at 52
  EXPECT_EQ(SubMenuCount(255, 3, 6), 6);  // not a group: the previous count stays
}

TEST(SubMenus, CodesFollowTheGroupsBase) {
  EXPECT_EQ(SubMenuCode(10, 4, 0), 34);
  EXPECT_EQ(SubMenuCode(7, 1, 0), 11);
  EXPECT_EQ(SubMenuCode(7, 6, 0), 16);
  EXPECT_EQ(SubMenuCode(8, 10, 0), 30);
  EXPECT_EQ(SubMenuCode(9, 1, 0), 41);
  EXPECT_EQ(SubMenuCode(255, 2, 23), 23);

  FunctionNames names;
  names.Set(34, u"Copy");
  names.Set(12, u"Forward");
  MacroTables macros;
  SetMacroName(macros.macros[1], u"Combo");
  EXPECT_EQ(SubMenuLabel(10, 4, names, macros), u"Copy");
  EXPECT_EQ(SubMenuLabel(7, 2, names, macros), u"Forward");
  EXPECT_EQ(SubMenuLabel(9, 2, names, macros), u"Combo");
  EXPECT_EQ(SubMenuLabel(9, 13, names, macros), u"");
}

TEST(WarningDialog, AnswersByEntry) {
  WarningLayout layout{};
  layout[0] = SkinEntry{10, 50, 40, 20, u"OK"};
  layout[1] = SkinEntry{60, 50, 40, 20, u"Cancel"};
  layout[2] = SkinEntry{0, 0, 110, 40, u"Sure?"};
  EXPECT_EQ(WarningAnswerUnder(layout, 15, 55), kWarningOk);
  EXPECT_EQ(WarningAnswerUnder(layout, 99, 69), kWarningCancel);
  EXPECT_EQ(WarningAnswerUnder(layout, 5, 5), kNoSpot);  // the text is no answer
}

// --- Pop-ups driven through their entry points ---------------------------------

constexpr std::int32_t kItemWidth = 120;
constexpr std::int32_t kMenuItem = 20;     // a menu mask of ten strips, 200 rows
constexpr std::int32_t kSubMenuItem = 25;  // a sub-menu mask of twelve strips, 300 rows

std::vector<PixelRect> Strips(std::vector<std::int32_t> strips, std::int32_t height) {
  std::vector<PixelRect> areas;
  for (std::int32_t strip : strips) areas.push_back({0, (strip - 1) * height, kItemWidth, strip * height});
  return areas;
}

class Popup : public ::testing::Test {
 protected:
  Popup() {
    const RgbImage menuMask(kItemWidth, kMenuStrips * kMenuItem);
    MenuOpened(menus, &menuMask);
    for (int s = 0; s < kButtonSlots; ++s) config.K[s] = std::array{1, 3, 2, 4, 5, 6}[s];
    for (std::int32_t key = 1; key <= FunctionNames::kLastKey; ++key)
      names.Set(key, std::u16string(static_cast<std::size_t>(key % 7 + 1), u'x'));
    macros.macroCount = 3;
    layout[0] = SkinEntry{96, 122, 116, 34, u"OK"};
    layout[1] = SkinEntry{228, 122, 116, 34, u"Cancel"};
    layout[2] = SkinEntry{0, 20, 440, 60, u"Sure?"};
  }
  // The sub-menu of `group`, opened as the menu opens it: with its group hovered.
  void OpenSubMenu(std::int32_t group, std::int32_t macroCount) {
    menus.menuHover = group;
    const RgbImage subMask(kItemWidth, kSubMenuStrips * kSubMenuItem);
    EXPECT_EQ(SubMenuOpened(menus, &subMask, macroCount), group);
  }
  static std::int32_t Middle(std::int32_t strip, std::int32_t height) { return (strip - 1) * height + height / 2; }

  PopupMenuState menus;
  ConfigRecord config;
  FunctionNames names;
  MacroTables macros;
  WarningLayout layout{};
};

TEST_F(Popup, OpeningMeasuresTheStripsFromTheShapeAndForgetsTheLastWindowsHover) {
  EXPECT_EQ(menus.menuItemWidth, kItemWidth);
  EXPECT_EQ(menus.menuItemHeight, kMenuItem);
  menus.menuHover = 4;
  menus.menuButtonHeld = true;
  MenuOpened(menus, nullptr);  // neither the mask nor the picture
  EXPECT_EQ(menus.menuItemHeight, 0);
  EXPECT_EQ(menus.menuHover, kNoSpot);
  EXPECT_FALSE(menus.menuButtonHeld);
  EXPECT_EQ(MenuFrame(menus).height, 1);

  OpenSubMenu(kMultimediaGroupItem, 3);
  EXPECT_EQ(menus.subMenuItemHeight, kSubMenuItem);
  EXPECT_EQ(menus.subMenuCount, 10);
  EXPECT_EQ(SubMenuFrame(menus).height, 10 * kSubMenuItem + 1);
  OpenSubMenu(kMacroGroupItem, 0);
  EXPECT_EQ(SubMenuFrame(menus).height, 0) << "no macros: nothing of the sub-menu shows";

  const RgbImage mask(440, 180, Rgb{255, 255, 255});
  const RgbImage normal(400, 150);
  EXPECT_TRUE(WarningOpened(menus, &mask, &normal)) << "a mask cuts the window";
  EXPECT_EQ(menus.warningWidth, 440);
  EXPECT_FALSE(WarningOpened(menus, nullptr, &normal)) << "without a mask the window stays whole";
  EXPECT_EQ(menus.warningWidth, 400);
  EXPECT_EQ(menus.warningHeight, 150);
}

TEST_F(Popup, AMoveRepaintsTheStripLeftAndTheStripEntered) {
  struct Row {
    const char* what;
    std::int32_t from, x, y;
    std::int32_t hover;
    std::vector<std::int32_t> repainted;
    bool replacesSubMenu;
  };
  const Row rows[] = {
      {"entering the menu", kNoSpot, 10, Middle(3, kMenuItem), 3, {3}, true},
      {"to the next item", 3, 10, Middle(4, kMenuItem), 4, {3, 4}, true},
      {"within the same item", 4, 90, Middle(4, kMenuItem) + 5, 4, {}, false},
      {"onto a group", 4, 10, Middle(8, kMenuItem), 8, {4, 8}, true},
      {"off the menu", 8, kItemWidth, Middle(8, kMenuItem), kNoSpot, {8}, true},
      {"onto the row below the items", kNoSpot, 10, 10 * kMenuItem, 11, {11}, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    menus.menuHover = row.from;
    const PopupReaction reaction = MenuMove(menus, row.x, row.y);
    EXPECT_EQ(menus.menuHover, row.hover);
    EXPECT_EQ(reaction.repaint, Strips(row.repainted, kMenuItem));
    EXPECT_EQ(reaction.replaceSubMenu, row.replacesSubMenu);
    EXPECT_FALSE(reaction.close);
  }

  OpenSubMenu(kAdvancedGroupItem, 3);
  const PopupReaction into = SubMenuMove(menus, 10, Middle(2, kSubMenuItem));
  EXPECT_EQ(into.repaint, Strips({2}, kSubMenuItem));
  EXPECT_FALSE(into.replaceSubMenu) << "only the menu has a sub-menu";
  EXPECT_EQ(SubMenuMove(menus, 10, Middle(6, kSubMenuItem)).repaint, Strips({2, 6}, kSubMenuItem));
  EXPECT_EQ(SubMenuMove(menus, 10, Middle(7, kSubMenuItem)).repaint, Strips({6}, kSubMenuItem))
      << "the advanced group has six items";
  EXPECT_TRUE(SubMenuMove(menus, 10, Middle(8, kSubMenuItem)).repaint.empty());

  const PopupReaction ok = WarningMove(menus, layout, 100, 130);
  EXPECT_EQ(menus.warningHover, kWarningOk);
  EXPECT_EQ(ok.repaint, (std::vector<PixelRect>{{96, 122, 212, 156}}));
  EXPECT_EQ(WarningMove(menus, layout, 300, 150).repaint, (std::vector<PixelRect>{{96, 122, 212, 156}, {228, 122, 344, 156}}));
  EXPECT_EQ(WarningMove(menus, layout, 5, 30).repaint, (std::vector<PixelRect>{{228, 122, 344, 156}}))
      << "the text is no answer and has no hover to show";
  EXPECT_FALSE(WarningRelease(menus));
}

TEST_F(Popup, AReleaseChoosesOnAFunctionAndKeepsTheMenuOnAGroup) {
  struct Row {
    const char* what;
    std::int32_t item;
    bool closes;
    std::int32_t k2;
  };
  const Row rows[] = {
      {"a function", 5, true, 5},
      {"a group", kConstantMacroGroupItem, false, 2},
      {"the row below the items", 11, false, 2},
      {"outside the items", kNoSpot, false, 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    config.K[2] = 2;
    menus.menuHover = row.item;
    const PopupReaction press = MenuPress(menus);
    EXPECT_TRUE(menus.menuButtonHeld);
    EXPECT_TRUE(press.replaceSubMenu) << "a press replaces the sub-menu as a move does";
    const PopupReaction release = MenuRelease(menus, config, 27);  // button 2
    EXPECT_FALSE(menus.menuButtonHeld);
    EXPECT_EQ(release.close, row.closes);
    EXPECT_EQ(release.choiceMade, row.closes);
    EXPECT_EQ(release.replaceSubMenu, !row.closes);
    EXPECT_EQ(release.repaint, row.item == kNoSpot ? Strips({}, kMenuItem) : Strips({row.item}, kMenuItem));
    EXPECT_EQ(config.K[2], row.k2);
  }
}

TEST_F(Popup, ASubMenuReleaseStoresTheItemsCodeAndEndsTheChoice) {
  OpenSubMenu(kConstantMacroGroupItem, 3);
  SubMenuMove(menus, 10, Middle(4, kSubMenuItem));
  EXPECT_EQ(SubMenuPress(menus).repaint, Strips({4}, kSubMenuItem));
  EXPECT_TRUE(menus.subMenuHeld);
  const PopupReaction chosen = SubMenuRelease(menus, config, 27);
  EXPECT_TRUE(chosen.choiceMade && chosen.close);
  EXPECT_TRUE(menus.choiceFinished);
  EXPECT_EQ(config.K[2], 34);
  EXPECT_EQ(menus.lastSubMenuCode, 34);

  OpenSubMenu(kAdvancedGroupItem, 3);
  SubMenuPress(menus);
  const PopupReaction nothing = SubMenuRelease(menus, config, 27);  // over no item
  EXPECT_FALSE(menus.subMenuHeld);
  EXPECT_FALSE(nothing.choiceMade || nothing.close || !nothing.repaint.empty());
  EXPECT_FALSE(menus.choiceFinished);
  EXPECT_EQ(config.K[2], 34);
}

// Every item of every menu can be hovered down to its bottom row and chosen.
TEST_F(Popup, TheLastItemOfEveryMenuIsReachable) {
  for (std::int32_t item = 1; item <= kMenuItems; ++item) {
    menus.menuHover = kNoSpot;
    MenuMove(menus, kItemWidth - 1, item * kMenuItem - 1);
    EXPECT_EQ(menus.menuHover, item) << "the bottom row of menu item " << item;
  }
  struct Row {
    std::int32_t group, macroCount, lastCode;
  };
  const Row rows[] = {{kAdvancedGroupItem, 3, 16}, {kMultimediaGroupItem, 3, 30}, {kConstantMacroGroupItem, 3, 38},
                      {kMacroGroupItem, 1, 41},    {kMacroGroupItem, 12, 52},      {kMacroGroupItem, 20, 52}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "group " << row.group << ", macros " << row.macroCount);
    OpenSubMenu(row.group, row.macroCount);
    const std::int32_t last = menus.subMenuCount;
    SubMenuMove(menus, kItemWidth - 1, last * kSubMenuItem - 1);
    ASSERT_EQ(menus.subMenuHover, last);
    SubMenuRelease(menus, config, 25);
    EXPECT_EQ(config.K[0], row.lastCode);
    SubMenuMove(menus, 0, last * kSubMenuItem);
    EXPECT_EQ(menus.subMenuHover, kNoSpot) << "below the last item";
  }
}

// --- What a pop-up paint draws ---------------------------------------------------

TEST_F(Popup, AMenuPaintShowsTheHoveredItemInRedOverItsStripOfTheStateImage) {
  struct Row {
    const char* what;
    std::int32_t hover;
    bool held, normalShown;
    std::vector<PaintOp> first;  // before the texts
  };
  const PixelRect frame{0, 0, kItemWidth, 10 * kMenuItem + 1};
  const Row rows[] = {
      {"hovered", 3, false, true, {CopyOp{SpotSource::Hovered, {0, 40, kItemWidth, 40 + kMenuItem}}}},
      {"held", 3, true, true, {CopyOp{SpotSource::Pressed, {0, 40, kItemWidth, 40 + kMenuItem}}}},
      {"nothing hovered", kNoSpot, false, true, {}},
      {"the row below the items, cut to the frame", 11, false, true,
       {CopyOp{SpotSource::Hovered, {0, 200, kItemWidth, 201}}}},
      {"without the normal image", 3, false, false,
       {FillOp{frame, kMissingImageColour}, CopyOp{SpotSource::Hovered, {0, 40, kItemWidth, 40 + kMenuItem}}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    menus.menuHover = row.hover;
    menus.menuButtonHeld = row.held;
    RecordingCanvas canvas;
    ComposeMenu(canvas, menus, names, row.normalShown);
    ASSERT_EQ(canvas.ops.size(), row.first.size() + kMenuItems);
    for (std::size_t i = 0; i < row.first.size(); ++i) {
      if (const auto* fill = std::get_if<FillOp>(&row.first[i])) {
        const auto* got = std::get_if<FillOp>(&canvas.ops[i]);
        ASSERT_NE(got, nullptr);
        EXPECT_EQ(got->area, fill->area);
        EXPECT_EQ(got->colour, fill->colour);
      } else {
        const auto& copy = std::get<CopyOp>(row.first[i]);
        const auto* got = std::get_if<CopyOp>(&canvas.ops[i]);
        ASSERT_NE(got, nullptr);
        EXPECT_EQ(got->source, copy.source);
        EXPECT_EQ(got->area, copy.area);
      }
    }
    const auto texts = canvas.All<TextOp>();
    for (std::int32_t item = 1; item <= kMenuItems; ++item) {
      const TextOp& text = texts[static_cast<std::size_t>(item - 1)];
      EXPECT_EQ(text.text, names[item]);
      EXPECT_EQ(text.left, (kItemWidth - static_cast<std::int32_t>(names[item].size()) * RecordingCanvas::kCharWidth) / 2);
      EXPECT_EQ(text.top, (item - 1) * kMenuItem + (kMenuItem - RecordingCanvas::kCharHeight) / 2);
      EXPECT_EQ(text.colour, item == row.hover ? kTextRed : kTextWhite) << "item " << item;
    }
  }
}

TEST_F(Popup, ASubMenuPaintLabelsItsGroupsItemsAndAWarningPaintItsAnswers) {
  SetMacroName(macros.macros[2], u"Third");
  OpenSubMenu(kMacroGroupItem, 3);
  SubMenuMove(menus, 10, Middle(3, kSubMenuItem));
  RecordingCanvas sub;
  ComposeSubMenu(sub, menus, kMacroGroupItem, names, macros, true);
  const auto texts = sub.All<TextOp>();
  ASSERT_EQ(texts.size(), 3u) << "one item per macro";
  EXPECT_EQ(texts[2].text, u"Third");
  EXPECT_EQ(texts[2].colour, kTextRed);
  EXPECT_EQ(texts[1].colour, kTextWhite);
  ASSERT_EQ(sub.All<CopyOp>().size(), 1u);
  EXPECT_EQ(sub.All<CopyOp>()[0].area, (PixelRect{0, 2 * kSubMenuItem, kItemWidth, 3 * kSubMenuItem}));

  const RgbImage normal(440, 180);
  WarningOpened(menus, nullptr, &normal);
  WarningMove(menus, layout, 300, 150);
  RecordingCanvas warning;
  ComposeWarning(warning, menus, layout, false);
  ASSERT_FALSE(warning.ops.empty());
  const auto* fill = std::get_if<FillOp>(&warning.ops[0]);
  ASSERT_NE(fill, nullptr) << "a missing picture leaves the frame in the missing-image colour";
  EXPECT_EQ(fill->area, (PixelRect{0, 0, 440, 180}));
  EXPECT_EQ(fill->colour, kMissingImageColour);
  const auto copies = warning.All<CopyOp>();
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].source, SpotSource::Hovered);
  EXPECT_EQ(copies[0].area, (PixelRect{228, 122, 344, 156}));
  const auto answers = warning.All<TextOp>();
  ASSERT_EQ(answers.size(), layout.size());
  for (const TextOp& text : answers) EXPECT_EQ(text.colour, kTextRed) << "every text of the warning is red";
  EXPECT_EQ(WarningRelease(menus), kWarningCancel);
}

}  // namespace
}  // namespace zr::test
