// The button-function pop-ups' decisions: the left-click rule, the strips,
// the sub-menus' counts, codes and placement.
#include <gtest/gtest.h>

#include "skin/PopupMenus.h"

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

TEST(WarningDialog, NeededExactlyWhenNoOtherButtonHoldsTheLeftClick) {
  ConfigRecord record;
  SetCodes(record, {3, 1, 2, 4, 5, 6});
  EXPECT_TRUE(WarningNeeded(record, 1));
  EXPECT_FALSE(WarningNeeded(record, 0));
  SetCodes(record, {3, 2, 4, 5, 6, 11});
  EXPECT_TRUE(WarningNeeded(record, 0));
}

}  // namespace
}  // namespace zr::test
