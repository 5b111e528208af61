#include <gtest/gtest.h>

#include <set>

#include "macros/KeyCodes.h"
#include "macros/StepText.h"

namespace zr::test {
namespace {

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

TEST(KeyCodeMaps, AreExactInversesOnTheirPairsAndPassEverythingElseThrough) {
  std::set<int> pairedCodes, pairedVirtualKeys;
  for (int code = 0; code < 256; ++code) {
    const std::uint8_t virtualKey = VirtualKeyFromKeyCode(Byte(code));
    if (virtualKey == code) continue;
    pairedCodes.insert(code);
    pairedVirtualKeys.insert(virtualKey);
    EXPECT_EQ(KeyCodeFromVirtualKey(virtualKey), code) << code;
  }
  EXPECT_EQ(pairedCodes.size(), 120u);
  EXPECT_EQ(pairedVirtualKeys.size(), 120u);  // no two codes share a virtual key
  for (int virtualKey = 0; virtualKey < 256; ++virtualKey) {
    const bool paired = pairedVirtualKeys.count(virtualKey) != 0;
    EXPECT_EQ(KeyCodeFromVirtualKey(Byte(virtualKey)) != virtualKey, paired) << virtualKey;
  }
}

// What recording or a file puts into a record must come back from a save
// and a load as the same code, or saved macros would change keys.
TEST(KeyCodeMaps, EveryCodeThatCanBeReadOrRecordedSurvivesASave) {
  for (int virtualKey = 0; virtualKey < 256; ++virtualKey) {
    const std::uint8_t code = KeyCodeFromVirtualKey(Byte(virtualKey));
    EXPECT_EQ(KeyCodeFromVirtualKey(VirtualKeyFromKeyCode(code)), code) << virtualKey;
  }
}

TEST(KeyCodeMaps, KnownKeys) {
  struct Row {
    int code, virtualKey;
    std::u16string_view name;
  };
  const Row rows[] = {
      {4, 65, u"A"},          {29, 90, u"Z"},          {30, 49, u"1"},         {38, 57, u"9"},
      {39, 48, u"0"},         {58, 112, u"F1"},        {69, 123, u"F12"},      {89, 97, u"NUMPAD1"},
      {97, 105, u"NUMPAD9"},  {98, 96, u"NUMPAD0"},    {104, 124, u"F13"},     {115, 135, u"F24"},
      {40, 13, u"RETURN"},    {44, 32, u"SPACE"},      {49, 220, u"\\|"},      {50, 192, u"`~"},
      {52, 222, u" ' "},      {54, 188, u","},         {56, 191, u"/?"},       {57, 20, u"CAPITAL"},
      {70, 44, u"SNAPSHOT"},  {75, 33, u"PRIOR"},      {78, 34, u"NEXT"},      {82, 38, u"UP"},
      {83, 144, u"NUMLOCK"},  {99, 110, u"DECIMAL"},   {101, 93, u"APPS"},     {116, 43, u"EXECUTE"},
      {117, 47, u"HELP"},     {118, 118, u"MENU"},     {119, 41, u"SELECT"},   {156, 12, u"CLEAR"},
      {159, 108, u"SEPARATOR"}, {224, 162, u"LCONTROL"}, {226, 164, u"LMENU"}, {227, 91, u"LWIN"},
      {231, 92, u"RWIN"},     {240, 240, u"L-KEY"},    {241, 241, u"R-KEY"},   {242, 242, u"M-KEY"},
      {53, 53, u"NON-AVAILABLE"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    EXPECT_EQ(VirtualKeyFromKeyCode(Byte(row.code)), row.virtualKey);
    // A code that passes through is not the image of its own value: virtual
    // key 118 is F7, 53 the digit 5.
    if (row.virtualKey != row.code) {
      EXPECT_EQ(KeyCodeFromVirtualKey(Byte(row.virtualKey)), row.code);
    }
    EXPECT_EQ(KeyCodeName(Byte(row.code)), row.name);
  }
  for (std::uint8_t button : {kLeftButtonKey, kRightButtonKey, kMiddleButtonKey})
    EXPECT_EQ(KeyCodeFromVirtualKey(button), button);  // stored in files as they are
  EXPECT_EQ(KeyCodeFromVirtualKey(173), 173);  // volume mute
  EXPECT_EQ(KeyCodeName(173), u"NON-AVAILABLE");
  // The generic modifiers are not in the table: they arrive as the letters M, N, O.
  EXPECT_EQ(KeyCodeName(KeyCodeFromVirtualKey(16)), u"M");
  EXPECT_EQ(KeyCodeName(KeyCodeFromVirtualKey(17)), u"N");
  EXPECT_EQ(KeyCodeName(KeyCodeFromVirtualKey(18)), u"O");
}

TEST(KeyCodeNames, NameNoKeyExactlyOutsideTheTable) {
  std::set<int> unnamed = {53, 88, 100, 102, 103, 157, 158};
  for (int code = 0; code <= 3; ++code) unnamed.insert(code);
  for (int code = 120; code <= 155; ++code) unnamed.insert(code);
  for (int code = 160; code <= 223; ++code) unnamed.insert(code);
  for (int code = 232; code <= 239; ++code) unnamed.insert(code);
  for (int code = 243; code <= 255; ++code) unnamed.insert(code);
  std::set<std::u16string_view> names;
  for (int code = 0; code < 256; ++code) {
    const std::u16string_view name = KeyCodeName(Byte(code));
    EXPECT_EQ(name == u"NON-AVAILABLE", unnamed.count(code) != 0) << code;
    if (unnamed.count(code) == 0) {
      EXPECT_TRUE(names.insert(name).second) << "two keys named " << code;
    }
  }
}

TEST(StepText, RowsOfOneEvent) {
  MacroRecord record;
  record.events[0] = {4, kKeyPress};
  record.events[1] = {52, kKeyRelease};
  record.events[2] = {kMiddleButtonKey, 7};  // neither press nor release: the name alone
  record.delays[0] = 120;
  record.delays[1] = 65535;

  const StepRows first = StepText(record, 0);
  EXPECT_FALSE(first.delayRow.has_value());
  EXPECT_EQ(first.keyRow, u"[\u2193]A");

  const StepRows second = StepText(record, 1);
  EXPECT_EQ(second.delayRow, u"    120ms");
  EXPECT_EQ(second.keyRow, u"[\u2191] ' ");

  const StepRows third = StepText(record, 2);
  EXPECT_EQ(third.delayRow, u"    65535ms");
  EXPECT_EQ(third.keyRow, u"M-KEY");

  const StepRows past = StepText(record, kMacroEventSlots);
  EXPECT_FALSE(past.delayRow.has_value());
  EXPECT_TRUE(past.keyRow.empty());
}

}  // namespace
}  // namespace zr::test
