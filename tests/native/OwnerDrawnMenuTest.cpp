#include <gtest/gtest.h>

#include "skin/OwnerDrawnMenu.h"

namespace zr {
namespace {

using K = MenuDrawOp::Kind;

TEST(OwnerDrawnMenu, ItemsMeasureEightPixelsPerCharacterAndSeparatorsOnePixelHigh) {
  EXPECT_EQ(MeasureMenuItem({u"Delete", 32781}), (MenuItemSize{48, 20}));
  EXPECT_EQ(MeasureMenuItem({u"", kSeparatorCommand}), (MenuItemSize{0, 1}));
  // Trailing spaces of the resource text count; a sub-menu opener is an item.
  EXPECT_EQ(MeasureMenuItem({u"显示窗口   ", 32837}), (MenuItemSize{56, 20}));
  EXPECT_EQ(MeasureMenuItem({u"Add Forward", kSubMenuCommand}), (MenuItemSize{88, 20}));
}

TEST(OwnerDrawnMenu, SelectedItemOfTwentyPixelsGetsAnEighteenRowGradientInStepsOfFourteen) {
  const PixelRect item{5, 40, 105, 60};
  const auto ops = DrawMenuItem({u"Delete", 32781}, item, true);
  ASSERT_EQ(ops.size(), 1u + 18u + 1u);
  EXPECT_EQ(ops.front().kind, K::Outline);
  EXPECT_EQ(ops.front().rect, item);
  for (int k = 0; k < 18; ++k) {
    const MenuDrawOp& line = ops[1 + k];
    ASSERT_EQ(line.kind, K::Line) << k;
    EXPECT_EQ(line.rect, (PixelRect{6, 41 + k, 104, 42 + k})) << k;
    EXPECT_EQ(line.colour, (Rgb{0, static_cast<std::uint8_t>(14 * k), 255})) << k;
  }
  EXPECT_EQ(ops[18].colour.green, 238);  // the truncated step never reaches cyan
  EXPECT_EQ(ops.back().kind, K::Text);
  EXPECT_EQ(ops.back().rect, (PixelRect{15, 40, 105, 60}));
}

TEST(OwnerDrawnMenu, GradientStepIsTruncatedOnceAndWrapsPastTheByte) {
  // 255 / 7 = 36.43: step 36, not the rounded 36.43 accumulated per row.
  EXPECT_EQ(SelectionGradientRow(6, 7).green, 216);
  // A single inside row: the step is the whole difference, row 0 the top colour.
  EXPECT_EQ(SelectionGradientRow(0, 1), kSelectionTop);
  // Rows beyond the inside height are not drawn by the item, but the
  // arithmetic stays modulo 256 rather than overflowing.
  EXPECT_EQ(SelectionGradientRow(2, 1).green, static_cast<std::uint8_t>(510 % 256));
  EXPECT_EQ(SelectionGradientRow(0, 0), kSelectionTop);
}

TEST(OwnerDrawnMenu, PlainItemIsFilledTealWithTextIndentedAndSubMenuOpenersLookTheSame) {
  const PixelRect item{0, 0, 80, 20};
  const auto command = DrawMenuItem({u"Exit Driver", 32800}, item, false);
  const auto opener = DrawMenuItem({u"Add Forward", kSubMenuCommand}, item, false);
  const std::vector<MenuDrawOp> expected = {{K::Fill, item, kMenuItemFill},
                                            {K::Text, {10, 0, 80, 20}, kMenuText}};
  EXPECT_EQ(command, expected);
  EXPECT_EQ(opener, expected);
}

TEST(OwnerDrawnMenu, SeparatorIsARedAndBlueFrameFromTwentyFivePixelsInWithoutText) {
  const auto ops = DrawMenuItem({u"", kSeparatorCommand}, {0, 10, 100, 11}, true);
  ASSERT_EQ(ops.size(), 4u);
  for (const MenuDrawOp& op : ops) {
    EXPECT_EQ(op.kind, K::Fill);
    EXPECT_GE(op.rect.left, 25);
  }
  EXPECT_EQ(ops[0], (MenuDrawOp{K::Fill, {25, 10, 99, 11}, kSeparatorTopLeft}));
  EXPECT_EQ(ops[3], (MenuDrawOp{K::Fill, {25, 10, 100, 11}, kSeparatorBottomRight}));
  // A separator narrower than its indent draws nothing at all.
  EXPECT_TRUE(DrawMenuItem({u"", kSeparatorCommand}, {0, 0, 20, 1}, false).empty());
}

TEST(OwnerDrawnMenu, RecordsHoldThirtyItemsAndStartAgainAfterReset) {
  MenuRecords records;
  for (int i = 0; i < 30; ++i) ASSERT_NE(records.Add(u"x", i + 1), nullptr);
  EXPECT_EQ(records.Add(u"one too many", 99), nullptr);
  EXPECT_EQ(records.Count(), 30u);
  records.Reset();
  MenuItemRecord* first = records.Add(u"Show Window", 32801);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(&records[0], first);
  EXPECT_EQ(records[0].text, u"Show Window");
  EXPECT_EQ(records.Count(), 1u);
}

}  // namespace
}  // namespace zr
