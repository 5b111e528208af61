// A damaged or missing config.ini at start-up and at the factory reset, all
// the way into the virtual mouse, against the profile functions of each test
// program: whatever the file says, the mouse keeps a left click and a level.
#include <gtest/gtest.h>

#include <string>

#include "config/ConfigRepair.h"
#include "config/ConfigStore.h"
#include "shared/MouseRig.h"
#include "shared/PlatformUnderTest.h"
#include "shared/ProfileUnderTest.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

// Every key of a configuration section holding the same text.
std::string SectionOfValue(const std::string& section, const std::string& value) {
  std::string text = "[" + section + "]\r\n";
  for (const char* key : {"K0", "K1", "K2", "K3", "K4", "K5", "DPI_LEVEL", "WHEEL_STATUS", "MACRO_MODE2",
                          "DPI_SET0", "DPI_SET_EN0", "DPI_SET1", "DPI_SET_EN1", "DPI_SET2", "DPI_SET_EN2",
                          "DPI_SET3", "DPI_SET_EN3", "LED_STATUS", "DPI_SPEED", "WHEEL_SPEED", "USB_SPEED",
                          "FIRE_TIME"})
    text += std::string(key) + "=" + value + "\r\n";
  return text;
}

struct DamagedFile {
  const char* what;
  std::string bytes;
};

const DamagedFile kDamagedFiles[] = {
    {"empty", ""},
    {"garbage", "\x7f\x45LF\x02\x01\x01\x00garbage\r\n\xff\xfe[[[=]]\r\nno section here\r\n"},
    {"Init only", "[Init]\r\nCurConfig=1\r\nVER_SEL=1\r\n"},
    {"CurConfig 99", "[Init]\r\nCurConfig=99\r\n" + SectionOfValue("Config99", "3")},
    {"CurConfig -1", "[Init]\r\nCurConfig=-1\r\n"},
    {"CurConfig 0", "[Init]\r\nCurConfig=0\r\n" + SectionOfValue("Config0", "0")},
    {"CurConfig 2^31", "[Init]\r\nCurConfig=2147483648\r\n"},
    {"CurConfig letters", "[Init]\r\nCurConfig=abc\r\n"},
    {"Config1 all 256", "[Init]\r\nCurConfig=1\r\n" + SectionOfValue("Config1", "256")},
    {"Config1 all 999999", "[Init]\r\nCurConfig=1\r\n" + SectionOfValue("Config1", "999999")},
    {"Config1 all 2^31", "[Init]\r\nCurConfig=1\r\n" + SectionOfValue("Config1", "2147483648")},
    {"Config1 all -1", "[Init]\r\nCurConfig=1\r\n" + SectionOfValue("Config1", "-1")},
    {"Config1 all letters", "[Init]\r\nCurConfig=1\r\n" + SectionOfValue("Config1", "zz")},
    {"Config3 missing", "[Init]\r\nCurConfig=3\r\n" + SectionOfValue("Config1", "1")},
    {"every level disabled", "[Init]\r\nCurConfig=2\r\n[Config2]\r\nK0=1\r\nDPI_SET_EN0=0\r\nDPI_SET_EN1=0\r\n"
                             "DPI_SET_EN2=0\r\nDPI_SET_EN3=0\r\nDPI_LEVEL=2\r\n"},
};

class DamagedConfig : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(rig.link.OpenDevice()); }

  // What the main window's start-up does with the file: load, then download.
  StartupChoices StartUp() {
    const StartupChoices choices = LoadStartupConfiguration(*files, *queries, configFile, rig.record);
    Download(rig.Services(*files), rig.record, choices.currentConfig, configFile);
    return choices;
  }

  // The reports a download of the factory defaults sends, from a mouse of its own.
  static std::vector<Bytes> FactoryDownload() {
    MouseRig factory;
    TestFolder scratch;
    std::unique_ptr<ProfileFiles> scratchFiles = MakeProfileFilesUnderTest();
    EXPECT_TRUE(factory.link.OpenDevice());
    SetFactoryDefaults(factory.record);
    Download(factory.Services(*scratchFiles), factory.record, 1, scratch.Path(u"config.ini"));
    return factory.mouse.TakenReports();
  }

  // A load from a file that is not there sets every stored field to 0.
  void ClearStoredFields() { LoadConfiguration(*files, folder.Path(u"absent.ini"), 1, false, 0, rig.record); }

  void ExpectUsableMouse() {
    const virtual_mouse::FirmwareState mouse = rig.mouse.State();
    bool leftClick = false;
    for (int code = 1; code <= kButtonSlots; ++code) leftClick = leftClick || mouse.buttonFunction[code] == 1;
    EXPECT_TRUE(leftClick) << "no button clicks";
    EXPECT_NE(mouse.enabledMask & 0x0F, 0) << "every level disabled";
    EXPECT_NE(mouse.enabledMask & (1u << (mouse.currentLevel & 3)), 0u) << "the current level is disabled";
  }

  MouseRig rig;
  std::unique_ptr<ProfileFiles> files = MakeProfileFilesUnderTest();
  std::unique_ptr<FileQueries> queries = MakeFileQueriesUnderTest();
  TestFolder folder;
  std::u16string configFile = folder.Path(u"config.ini");
};

TEST_F(DamagedConfig, EachDamagedFileStillGivesTheMouseALeftClickAndALevel) {
  for (const DamagedFile& damaged : kDamagedFiles) {
    SCOPED_TRACE(damaged.what);
    WriteBytes(configFile, damaged.bytes);
    ClearStoredFields();
    rig.mouse.ClearLog();

    const StartupChoices choices = StartUp();
    ExpectUsableMouse();
    EXPECT_GE(choices.currentConfig, kFirstStoredConfig);
    EXPECT_LE(choices.currentConfig, kLastStoredConfig);

    // The download saved the current configuration: only ever one of the five.
    const std::string written = ReadBytes(configFile);
    for (const char* stray : {"[Config0]", "[Config99]", "[Config-1]", "[Config2147]"}) {
      if (damaged.bytes.find(stray) == std::string::npos) {
        EXPECT_EQ(written.find(stray), std::string::npos) << stray;
      }
    }
    // And what it saved starts the next time into the same usable mouse.
    ClearStoredFields();
    StartUp();
    ExpectUsableMouse();
  }
}

TEST_F(DamagedConfig, NoFileStartsFromConfigurationOnesFactoryDefaults) {
  const StartupChoices choices = StartUp();
  EXPECT_EQ(choices.currentConfig, 1);
  EXPECT_EQ(rig.mouse.TakenReports(), FactoryDownload());
  EXPECT_EQ(ReadStartupChoices(*files, configFile).currentConfig, 1);
}

TEST_F(DamagedConfig, FactoryResetWithoutAnyFileGivesTheFactoryDownload) {
  // Started without config.ini and the window's record damaged since: the
  // reset reloads the current configuration the start chose.
  const StartupChoices choices = LoadStartupConfiguration(*files, *queries, configFile, rig.record);
  ClearStoredFields();
  FactoryReset(*files, configFile, choices.currentConfig, 1, rig.record);
  Download(rig.Services(*files), rig.record, choices.currentConfig, configFile);
  EXPECT_EQ(rig.mouse.TakenReports(), FactoryDownload());
}

TEST_F(DamagedConfig, FactoryResetReloadOfAMissingSectionIsRepaired) {
  // No CfgReset sections: configurations 2..5 are written as zeros, and the
  // current one, 4, is reloaded from them.
  FactoryReset(*files, configFile, 4, 1, rig.record);
  Download(rig.Services(*files), rig.record, 4, configFile);
  ExpectUsableMouse();
}

TEST_F(DamagedConfig, ImportedAndHiddenDamagedSectionsAreRepairedToo) {
  const std::u16string profile = folder.Path(u"damaged profile.ini");
  WriteBytes(profile, SectionOfValue("Config7", "999999"));
  ImportProfile(*files, profile, 1, rig.record);
  Download(rig.Services(*files), rig.record, 1, configFile);
  ExpectUsableMouse();

  WriteBytes(configFile, SectionOfValue("Config6", "0"));
  LoadRepairedConfiguration(*files, configFile, kDownloadSnapshotNumber, 1, rig.record);
  rig.mouse.ClearLog();
  Download(rig.Services(*files), rig.record, 1, configFile);
  ExpectUsableMouse();
}

}  // namespace
}  // namespace zr::test
