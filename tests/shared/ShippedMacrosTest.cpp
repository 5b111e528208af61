// The macro files that ship: what they hold must play correctly, and the
// program must read them and write them back byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "macros/KeyCodes.h"
#include "macros/MacroFile.h"
#include "shared/PlatformUnderTest.h"
#include "shared/ProfileUnderTest.h"
#include "shared/RecordingNotices.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

constexpr std::uint16_t kShortestStep = 15;  // playback waits this long anyway

// Why the macro would not play as a person would type it; empty when it would.
std::string Problems(const MacroRecord& macro) {
  std::string problems;
  if (macro.eventCount == 0) problems += "no events; ";
  std::vector<std::uint8_t> held;
  for (std::size_t k = 0; k < macro.eventCount; ++k) {
    const MacroEvent event = macro.events[k];
    const std::string key = std::to_string(event.key);
    if (KeyCodeName(event.key) == u"NON-AVAILABLE") problems += std::string("key ") + key + " names no key; ";
    if (macro.delays[k] < kShortestStep) problems += std::string("step ") + std::to_string(k) + " too short; ";
    const auto at = std::find(held.begin(), held.end(), event.key);
    if (event.action == kKeyPress) {
      if (at != held.end()) problems += key + " pressed twice; ";
      held.push_back(event.key);
    } else if (event.action == kKeyRelease) {
      if (at == held.end()) problems += key + " released unpressed; ";
      else held.erase(at);
    } else {
      problems += std::string("action ") + std::to_string(event.action) + "; ";
    }
  }
  if (!held.empty()) problems += "keys still held at the end; ";
  return problems;
}

// "LCONTROL+C" for a shortcut typed as modifiers down, key down, then all up
// in reverse; "" for anything else.
std::u16string Shortcut(const MacroRecord& macro) {
  const std::size_t n = macro.eventCount;
  if (n % 2 != 0) return {};
  std::u16string text;
  for (std::size_t k = 0; k < n / 2; ++k) {
    const MacroEvent press = macro.events[k], release = macro.events[n - 1 - k];
    if (press.action != kKeyPress || release.action != kKeyRelease || press.key != release.key) return {};
    if (k > 0) text += u'+';
    text += KeyCodeName(press.key);
  }
  return text;
}

class ShippedMacros : public ::testing::Test {
 protected:
  void Load(std::u16string_view relative, MacroTables& tables) {
    LoadMacroFile(services, InstallationDataPath(relative), tables);
  }

  std::unique_ptr<ProfileFiles> profiles = MakeProfileFilesUnderTest();
  std::unique_ptr<FileQueries> fileQueries = MakeFileQueriesUnderTest();
  RecordingNotices notices;
  MacroFileServices services{*profiles, *fileQueries, notices};
};

TEST_F(ShippedMacros, ConstantMacrosAreTheShortcutsTheirFunctionsName) {
  struct Expected {
    std::u16string_view name, shortcut;
  };
  const Expected expected[kPlayableConstantMacros] = {
      {u"Copy", u"LCONTROL+C"},       {u"Paste", u"LCONTROL+V"},          {u"Cut", u"LCONTROL+X"},
      {u"Undo", u"LCONTROL+Z"},       {u"Select All", u"LCONTROL+A"},     {u"Save", u"LCONTROL+S"},
      {u"Switch Window", u"LMENU+TAB"}, {u"Show Desktop", u"LWIN+D"},
  };
  MacroTables tables;
  LoadConstantMacroFile(services, InstallationDataPath(u"\\constMacro.dat"), tables);
  EXPECT_TRUE(notices.messages.empty());
  ASSERT_EQ(tables.constantMacroCount, kPlayableConstantMacros);
  for (int slot = 0; slot < kPlayableConstantMacros; ++slot) {
    const MacroRecord macro = ConstantMacroForPlayback(tables, slot);
    SCOPED_TRACE(slot);
    EXPECT_EQ(MacroName(macro), expected[slot].name);
    EXPECT_EQ(Shortcut(macro), expected[slot].shortcut);
    EXPECT_EQ(Problems(macro), "");
  }
}

TEST_F(ShippedMacros, FactoryMacrosAreTheSameInBothLanguagesButForTheirNames) {
  MacroTables english, chinese;
  Load(u"\\skins\\INI_EN\\defMacro.dat", english);
  Load(u"\\skins\\INI_CN\\defMacro.dat", chinese);
  EXPECT_TRUE(notices.messages.empty());
  ASSERT_GT(english.macroCount, 0);
  ASSERT_LT(english.macroCount, kUserMacroSlots);  // room to record one of one's own
  ASSERT_EQ(chinese.macroCount, english.macroCount);

  std::set<std::u16string> names;
  for (int i = 0; i < english.macroCount; ++i) {
    SCOPED_TRACE(i);
    const MacroRecord& en = english.macros[i];
    MacroRecord cn = chinese.macros[i];
    EXPECT_EQ(Problems(en), "");
    EXPECT_TRUE(names.insert(MacroName(en)).second) << "names must tell the macros apart";
    const std::u16string cnName = MacroName(cn);
    EXPECT_TRUE(std::any_of(cnName.begin(), cnName.end(), [](char16_t c) { return c >= 0x4E00 && c <= 0x9FFF; }))
        << "a Chinese name";
    EXPECT_TRUE(std::all_of(en.name.begin(), en.name.end(), [](char16_t c) { return c < 0x80; }));
    EXPECT_LE(en.repeatMode, 1);
    if (en.repeatMode == 1) {
      EXPECT_GE(en.repeatCount, 1) << "a repeated macro plays at least once";
    }
    cn.name = en.name;
    EXPECT_EQ(cn, en);
  }
}

TEST_F(ShippedMacros, UserMacroFilesStartAsTheFactoryMacros) {
  EXPECT_EQ(ReadBytes(InstallationDataPath(u"\\Macro_EN.dat")),
            ReadBytes(InstallationDataPath(u"\\skins\\INI_EN\\defMacro.dat")));
  EXPECT_EQ(ReadBytes(InstallationDataPath(u"\\Macro_CN.dat")),
            ReadBytes(InstallationDataPath(u"\\skins\\INI_CN\\defMacro.dat")));
}

// The generator writes what the program itself would, so the first save of
// a new installation changes nothing it did not mean to.
TEST_F(ShippedMacros, EachFileIsWhatTheProgramWritesForItsTable) {
  TestFolder folder;
  for (std::u16string_view relative : {u"\\skins\\INI_EN\\defMacro.dat", u"\\skins\\INI_CN\\defMacro.dat"}) {
    MacroTables tables;
    Load(relative, tables);
    const std::u16string copy = folder.Path(u"copy.dat");
    ASSERT_TRUE(SaveMacroFile(*profiles, copy, tables));
    EXPECT_EQ(ReadBytes(copy), ReadBytes(InstallationDataPath(relative)));
  }
  // The constant table goes through the user table's writer here, being the
  // same format.
  MacroTables constants;
  Load(u"\\constMacro.dat", constants);
  ASSERT_LT(constants.macroCount, kConstantMacroSlots);
  const std::u16string copy = folder.Path(u"const.dat");
  ASSERT_TRUE(SaveMacroFile(*profiles, copy, constants));
  EXPECT_EQ(ReadBytes(copy), ReadBytes(InstallationDataPath(u"\\constMacro.dat")));
}

}  // namespace
}  // namespace zr::test
