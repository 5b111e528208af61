// The AppProfiles section of config.ini: what a hand-edited or damaged file
// gives, what a save writes, and that the other writers of config.ini leave
// it alone. Against the portable engine natively and the system's profile
// functions under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/AppProfiles.h"
#include "config/ConfigStore.h"
#include "platform/Text.h"
#include "shared/ProfileUnderTest.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

std::vector<AppBinding> All(const AppBindings& bindings) {
  std::vector<AppBinding> all;
  for (std::size_t i = 0; i < bindings.Count(); ++i) all.push_back(bindings[i]);
  return all;
}

class AppProfilesFile : public ::testing::Test {
 protected:
  std::unique_ptr<ProfileFiles> files = MakeProfileFilesUnderTest();
  TestFolder folder;
  std::u16string config = folder.Path(u"config.ini");
};

TEST(AppBindingLine, GoodAndBadLines) {
  struct Row {
    std::u16string_view text;
    bool good;
    std::u16string_view program;
    std::int32_t configuration;
  };
  const Row rows[] = {
      {u"game.exe|3", true, u"game.exe", 3},
      {u"  Game Launcher.EXE | 5 ", true, u"Game Launcher.EXE", 5},
      {u"game.exe|1", true, u"game.exe", 1},
      {u"game.exe|0", false, {}, 0},          // configurations are 1..5
      {u"game.exe|6", false, {}, 0},
      {u"game.exe|7", false, {}, 0},          // the profile-file section is no configuration to bind
      {u"game.exe|-3", false, {}, 0},
      {u"game.exe|03", false, {}, 0},
      {u"game.exe|3x", false, {}, 0},
      {u"game.exe|", false, {}, 0},
      {u"game.exe", false, {}, 0},
      {u"|3", false, {}, 0},
      {u"game.exe|3|4", false, {}, 0},
      {u"C:\\Games\\game.exe|3", false, {}, 0},  // a file name, not a path
      {u"..|2", false, {}, 0},
      {u"", false, {}, 0},
  };
  for (const Row& row : rows) {
    const std::optional<AppBinding> parsed = ParseAppBinding(row.text);
    ASSERT_EQ(parsed.has_value(), row.good) << Utf8FromUtf16(row.text);
    if (!parsed) continue;
    EXPECT_EQ(parsed->program, row.program);
    EXPECT_EQ(parsed->configuration, row.configuration);
    EXPECT_EQ(ParseAppBinding(AppBindingText(*parsed)), parsed);
  }
}

TEST(AppBindingTable, OneBindingPerProgramWhateverItsCase) {
  AppBindings bindings;
  EXPECT_EQ(bindings.Bind(u"Game.exe", 3), AppBindings::BindResult::Added);
  EXPECT_EQ(bindings.Bind(u"GAME.EXE", 3), AppBindings::BindResult::Unchanged);
  EXPECT_EQ(bindings.Bind(u"game.exe", 4), AppBindings::BindResult::Moved);
  EXPECT_EQ(bindings.Count(), 1u);
  EXPECT_EQ(bindings.ConfigurationOf(u"gAmE.ExE"), 4);
  EXPECT_EQ(bindings.ConfigurationOf(u"game"), std::nullopt);
  EXPECT_EQ(bindings.Bind(u"ИГРА.exe", 2), AppBindings::BindResult::Added);
  EXPECT_EQ(bindings.ConfigurationOf(u"игра.EXE"), 2);
  EXPECT_EQ(bindings.Bind(u"a/b.exe", 2), AppBindings::BindResult::Invalid);
  EXPECT_EQ(bindings.Bind(u"other.exe", 0), AppBindings::BindResult::Invalid);

  EXPECT_TRUE(bindings.Unbind(u"GAME.exe"));
  EXPECT_FALSE(bindings.Unbind(u"game.exe"));
  EXPECT_EQ(All(bindings), (std::vector<AppBinding>{{u"ИГРА.exe", 2}}));
}

TEST(AppBindingTable, HoldsAtMostThirtyTwo) {
  AppBindings bindings;
  for (int i = 0; i < 32; ++i)
    ASSERT_EQ(bindings.Bind(u"p" + DecimalText(i) + u".exe", 1 + i % 5), AppBindings::BindResult::Added);
  EXPECT_EQ(bindings.Bind(u"p32.exe", 1), AppBindings::BindResult::Full);
  EXPECT_EQ(bindings.Bind(u"P31.EXE", 5), AppBindings::BindResult::Moved);  // moving needs no room
  EXPECT_EQ(bindings.ProgramsOf(1).size(), 7u);
  EXPECT_TRUE(bindings.Unbind(u"p0.exe"));
  EXPECT_EQ(bindings.Bind(u"p32.exe", 1), AppBindings::BindResult::Added);
}

TEST(AppBindingTable, ProgramFileNameDropsTheFolder) {
  EXPECT_EQ(ProgramFileName(u"C:\\Program Files\\Game\\game.exe"), u"game.exe");
  EXPECT_EQ(ProgramFileName(u"/usr/bin/wine/notepad.exe"), u"notepad.exe");
  EXPECT_EQ(ProgramFileName(u"game.exe"), u"game.exe");
  EXPECT_EQ(ProgramFileName(u"C:\\Games\\"), u"");
}

TEST_F(AppProfilesFile, MalformedLinesAreLeftOutAndTheRestKept) {
  WriteBytes(config,
             "[AppProfiles]\r\nCount=9\r\nApp0=game.exe|3\r\nApp1=broken\r\nApp2=GAME.exe|4\r\n"
             "App3=tool.exe|9\r\nApp4=editor.exe|2\r\nApp6=late.exe|1\r\nApp9=beyond.exe|1\r\n"
             "App7=  spaced.exe  |  5\r\nApp8=\"quoted.exe|1\"\r\n");
  const AppBindings bindings = LoadAppBindings(*files, config);
  // The repeated program keeps its first line; App5 is missing, App9 is past Count.
  EXPECT_EQ(All(bindings), (std::vector<AppBinding>{{u"game.exe", 3},
                                                    {u"editor.exe", 2},
                                                    {u"late.exe", 1},
                                                    {u"spaced.exe", 5},
                                                    {u"quoted.exe", 1}}));
}

TEST_F(AppProfilesFile, CountBeyondTheTableOrBrokenReadsAtMostThirtyTwo) {
  std::string text = "[AppProfiles]\r\nCount=33\r\n";
  for (int i = 0; i < 33; ++i) text += "App" + std::to_string(i) + "=p" + std::to_string(i) + ".exe|2\r\n";
  WriteBytes(config, text);
  const AppBindings bindings = LoadAppBindings(*files, config);
  ASSERT_EQ(bindings.Count(), 32u);
  EXPECT_EQ(bindings[31].program, u"p31.exe");
  EXPECT_FALSE(bindings.ConfigurationOf(u"p32.exe"));

  for (const char* count : {"-4", "x", "0", ""}) {
    WriteBytes(config, std::string("[AppProfiles]\r\nCount=") + count + "\r\nApp0=game.exe|3\r\n");
    EXPECT_EQ(LoadAppBindings(*files, config).Count(), 0u) << count;
  }
  EXPECT_EQ(LoadAppBindings(*files, folder.Path(u"absent.ini")).Count(), 0u);
}

TEST_F(AppProfilesFile, SaveWritesTheTableAndEmptiesWhatIsLeftOver) {
  WriteBytes(config, "[Init]\r\nCurConfig=2\r\n[AppProfiles]\r\nCount=3\r\nApp0=a.exe|1\r\nApp1=b.exe|2\r\nApp2=c.exe|3\r\n");
  AppBindings bindings = LoadAppBindings(*files, config);
  ASSERT_TRUE(bindings.Unbind(u"a.exe"));
  SaveAppBindings(*files, config, bindings, StoredAppBindingSlots(*files, config));
  EXPECT_EQ(ReadBytes(config),
            "[Init]\r\nCurConfig=2\r\n[AppProfiles]\r\nCount=2\r\nApp0=b.exe|2\r\nApp1=c.exe|3\r\nApp2=\r\n");
  EXPECT_EQ(All(LoadAppBindings(*files, config)), All(bindings));

  // Even a Count edited back up by hand finds no stale binding.
  files->WriteString(u"AppProfiles", u"Count", u"3", config);
  EXPECT_EQ(All(LoadAppBindings(*files, config)), All(bindings));
}

TEST_F(AppProfilesFile, ReturnIsOneToFiveOrNone) {
  EXPECT_EQ(LoadReturnConfiguration(*files, config), 0);
  SaveReturnConfiguration(*files, config, 4);
  EXPECT_EQ(LoadReturnConfiguration(*files, config), 4);
  SaveReturnConfiguration(*files, config, 0);
  EXPECT_EQ(LoadReturnConfiguration(*files, config), 0);
  for (const char* value : {"0", "6", "-1", "x", "2147483648"}) {
    files->WriteString(u"AppProfiles", u"Return", Utf16FromUtf8(value), config);
    EXPECT_EQ(LoadReturnConfiguration(*files, config), 0) << value;
  }
}

TEST_F(AppProfilesFile, ExportImportAndFactoryResetLeaveTheSectionAlone) {
  WriteBytes(config,
             "[Init]\r\nCurConfig=2\r\n[AppProfiles]\r\nCount=1\r\nApp0=game.exe|3\r\nReturn=2\r\n"
             "[CfgReset2]\r\nK0=1\r\n");
  ConfigRecord record;
  SetFactoryDefaults(record);
  FactoryReset(*files, config, 2, 1, record);
  const std::u16string profile = folder.Path(u"profile.ini");
  ExportProfile(*files, profile, record);
  ImportProfile(*files, profile, 1, record);
  EXPECT_EQ(All(LoadAppBindings(*files, config)), (std::vector<AppBinding>{{u"game.exe", 3}}));
  EXPECT_EQ(LoadReturnConfiguration(*files, config), 2);
  EXPECT_EQ(ReadBytes(profile).find("AppProfiles"), std::string::npos);
}

TEST_F(AppProfilesFile, AConfigurationIsStoredWhenItsSectionHasAnyKey) {
  WriteBytes(config, "[Config1]\r\nK3=0\r\n[Config2]\r\nnote=x\r\n[Config4]\r\nFIRE_TIME=\r\n");
  EXPECT_TRUE(ConfigurationStored(*files, config, 1));
  EXPECT_FALSE(ConfigurationStored(*files, config, 2));
  EXPECT_FALSE(ConfigurationStored(*files, config, 3));
  EXPECT_TRUE(ConfigurationStored(*files, config, 4));  // present, if empty
}

}  // namespace
}  // namespace zr::test
