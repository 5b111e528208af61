// A save of the user's own files that does not reach the disk is told once
// per run, and nothing else changes: the download still reaches the mouse.
#include <gtest/gtest.h>

#include "app/SaveFailureWatch.h"
#include "config/ConfigStore.h"
#include "macros/MacroFile.h"
#include "platform/IniEngine.h"
#include "shared/MouseRig.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

class SaveFailureWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig.link.OpenDevice());
    SetFactoryDefaults(rig.record);
    WriteBytes(configFile, "[Init]\r\nCurConfig=1\r\n");
    watch.SetAnnouncer([this] { ++announced; });
  }
  void TearDown() override {
    for (const std::u16string& file : {configFile, macroFile})
      if (Exists(file)) MakeWritable(file);
  }

  TestFolder folder;
  std::u16string configFile = folder.Path(u"config.ini");
  std::u16string macroFile = folder.Path(u"Macro_EN.dat");
  PortableProfileFiles files;
  SaveFailureWatch watch{files, {configFile, macroFile}};
  int announced = 0;
  MouseRig rig;
};

TEST_F(SaveFailureWatchTest, TheFirstFailedSaveOfARunIsAnnouncedOnceAndTheMouseStillGetsItsDownload) {
  MakeReadOnly(configFile);
  Download(rig.Services(watch), rig.record, 1, configFile);
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(watch.FailedFile(), configFile);
  EXPECT_EQ(rig.mouse.TakenReports().size(), 13u);
  EXPECT_EQ(rig.system.speed, 8);

  rig.record.FIRE_TIME = 70;
  SaveConfiguration(watch, configFile, 1, rig.record);  // a later Save
  SaveCurrentDpiLevel(watch, configFile, 1, rig.record);
  WriteBytes(macroFile, "");
  MakeReadOnly(macroFile);
  MacroTables tables;
  tables.macroCount = 1;
  EXPECT_FALSE(SaveMacroFile(watch, macroFile, tables));
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(watch.FailedFile(), configFile);
  MakeWritable(configFile);
  EXPECT_EQ(ReadBytes(configFile), "[Init]\r\nCurConfig=1\r\n");
}

TEST_F(SaveFailureWatchTest, SavesThatSucceedOrChangeNothingAndFilesOfTheUsersChoosingAnnounceNothing) {
  Download(rig.Services(watch), rig.record, 1, configFile);
  MakeReadOnly(configFile);
  Download(rig.Services(watch), rig.record, 1, configFile);  // the same values again: nothing to write
  EXPECT_EQ(announced, 0);

  ExportProfile(watch, folder.Path(u"missing\\profile.ini"), rig.record);  // the user chose that file and sees it
  EXPECT_EQ(announced, 0);
  EXPECT_TRUE(watch.FailedFile().empty());

  rig.record.FIRE_TIME = 70;
  SaveConfiguration(watch, configFile, 1, rig.record);
  EXPECT_EQ(announced, 1);
}

TEST_F(SaveFailureWatchTest, AMacroFileIsNamedWhenItFailsFirst) {
  WriteBytes(macroFile, "[Macros]\r\nmacroNum=0\r\n");
  MakeReadOnly(macroFile);
  MacroTables tables;
  tables.macroCount = 2;
  EXPECT_FALSE(SaveMacroFile(watch, macroFile, tables));
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(watch.FailedFile(), macroFile);
}

TEST(SaveFailureMessage, NamesTheFileInTheWindowsLanguage) {
  const std::u16string english = SaveFailureMessage(u"C:\\Program Files\\ZR305\\config.ini", 1);
  EXPECT_NE(english.find(u"C:\\Program Files\\ZR305\\config.ini"), std::u16string::npos);
  EXPECT_NE(english.find(u"not being kept"), std::u16string::npos);
  const std::u16string chinese = SaveFailureMessage(u"D:\\ZR305\\Macro_CN.dat", 0);
  EXPECT_NE(chinese.find(u"D:\\ZR305\\Macro_CN.dat"), std::u16string::npos);
  EXPECT_NE(chinese.find(u"不会被保存"), std::u16string::npos);
  EXPECT_EQ(SaveFailureMessage(u"x", 2), SaveFailureMessage(u"x", 1));  // any nonzero flag is English
}

}  // namespace
}  // namespace zr::test
