// The function-code table against what stands outside it: the names the
// shipped skin gives each code, the HID consumer page, the pop-up's items.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "config/FunctionTable.h"
#include "platform/IniEngine.h"
#include "platform/Text.h"
#include "skin/SkinReader.h"

namespace zr {
namespace {

// The English skin's name of a code, as the pop-ups and the main page show it.
std::u16string ShippedName(PortableProfileFiles& files, std::int32_t code) {
  static const std::u16string path =
      Utf16FromUtf8(ZR_SOURCE_DIR) + u"\\data\\skins\\INI_EN\\skin_main_en.ini";
  const std::u16string value = files.ReadString(u"FUN_STRING", DecimalText(code), u"", kSkinValueBufferSize, path);
  return SplitSkinFields(value).fields[0];
}

TEST(FunctionTable, EveryMultimediaCodeSendsTheConsumerUsageItsNameStandsFor) {
  const std::map<std::u16string, std::uint16_t> kUsageOfName = {
      {u"Home Page", 0x0223},      {u"Media Player", 0x0183}, {u"Email", 0x018A},
      {u"Volume Up", 0x00E9},      {u"Volume Down", 0x00EA},  {u"Previous Track", 0x00B6},
      {u"Next Track", 0x00B5},     {u"Mute", 0x00E2},         {u"Play/Pause", 0x00CD},
      {u"Calculator", 0x0192},
  };
  PortableProfileFiles files;
  std::set<std::u16string> named;
  for (std::int32_t code = -1; code <= 60; ++code) {
    SCOPED_TRACE(testing::Message() << "code " << code);
    const FunctionCode* row = FindFunctionCode(code);
    if (row == nullptr || row->group != kMultimediaGroupItem) {
      EXPECT_EQ(ConsumerUsage(code), 0);
      EXPECT_NE(HostActionOf(code), HostAction::ConsumerKey);
      continue;
    }
    const std::u16string name = ShippedName(files, code);
    ASSERT_TRUE(kUsageOfName.contains(name)) << Utf8FromUtf16(name);
    EXPECT_EQ(HostActionOf(code), HostAction::ConsumerKey);
    EXPECT_EQ(ConsumerUsage(code), kUsageOfName.at(name));
    named.insert(name);
  }
  EXPECT_EQ(named.size(), kUsageOfName.size());  // each usage reached by one code
}

TEST(FunctionTable, EachPopupItemChoosesOneCodeAndEachCodeAppearsOnce) {
  std::set<std::int32_t> codes;
  for (const FunctionCode& row : kFunctionCodes) EXPECT_TRUE(codes.insert(row.code).second) << row.code;
  for (std::int32_t group : {kMainMenuGroup, kAdvancedGroupItem, kMultimediaGroupItem, kMacroGroupItem,
                             kConstantMacroGroupItem}) {
    const std::int32_t count = GroupItemCount(group);
    EXPECT_GT(count, 0) << group;
    for (std::int32_t item = 0; item <= count + 1; ++item) {
      const std::optional<std::int32_t> code = CodeOfGroupItem(group, item);
      ASSERT_EQ(code.has_value(), item >= 1 && item <= count) << "group " << group << " item " << item;
      if (code) EXPECT_EQ(FindFunctionCode(*code)->item, item);
    }
  }
  EXPECT_FALSE(CodeOfGroupItem(kNotOffered, 0));
}

TEST(FunctionTable, MacroCodesPlayTheirSlotsInItemOrder) {
  std::map<HostAction, std::int32_t> nextSlot;
  for (const FunctionCode& row : kFunctionCodes) {
    const bool macro = row.host == HostAction::UserMacro || row.host == HostAction::ConstantMacro;
    EXPECT_EQ(MacroSlotOf(row.code), macro ? nextSlot[row.host]++ : -1) << row.code;
  }
  EXPECT_EQ(nextSlot[HostAction::UserMacro], 12);
  EXPECT_EQ(nextSlot[HostAction::ConstantMacro], 8);
  EXPECT_EQ(MacroSlotOf(53), -1);
}

}  // namespace
}  // namespace zr
