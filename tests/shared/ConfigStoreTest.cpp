// Loading, saving, resetting, exporting and importing the configuration
// record, against the profile-file implementation of the build: the portable
// engine natively, the system's own functions under Wine.
#include <gtest/gtest.h>

#include <vector>

#include "config/ConfigStore.h"
#include "platform/Text.h"
#include "shared/ProfileUnderTest.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

// Every stored field, in the file's key order, for whole-record comparisons.
std::vector<std::int64_t> StoredFields(const ConfigRecord& r) {
  std::vector<std::int64_t> v;
  for (const auto& k : r.K) v.push_back(k);
  v.push_back(r.DPI_LEVEL);
  v.push_back(r.WHEEL_STATUS);
  v.push_back(r.MACRO_MODE2);
  for (int j = 0; j < kDpiLevels; ++j) {
    v.push_back(r.DPI_SET[j]);
    v.push_back(r.DPI_SET_EN[j]);
  }
  v.insert(v.end(), {r.LED_STATUS, r.DPI_SPEED, r.WHEEL_SPEED, r.USB_SPEED.load(), r.FIRE_TIME});
  return v;
}

void FillWith(ConfigRecord& r, std::int32_t base) {
  for (int s = 0; s < kButtonSlots; ++s) r.K[s] = base + s;
  r.DPI_LEVEL = 2;
  r.WHEEL_STATUS = 1;
  r.MACRO_MODE2 = 1;
  for (int j = 0; j < kDpiLevels; ++j) {
    r.DPI_SET[j] = static_cast<std::uint8_t>(j + 7);
    r.DPI_SET_EN[j] = j % 2;
  }
  r.LED_STATUS = 3;
  r.DPI_SPEED = 9;
  r.WHEEL_SPEED = 5;
  r.USB_SPEED = 1;
  r.FIRE_TIME = 296;
}

const std::string kDefaultsSection =
    "K0=1\r\nK1=3\r\nK2=2\r\nK3=4\r\nK4=5\r\nK5=6\r\nDPI_LEVEL=0\r\nWHEEL_STATUS=0\r\nMACRO_MODE2=1\r\n"
    "DPI_SET0=3\r\nDPI_SET_EN0=1\r\nDPI_SET1=5\r\nDPI_SET_EN1=1\r\nDPI_SET2=6\r\nDPI_SET_EN2=1\r\n"
    "DPI_SET3=8\r\nDPI_SET_EN3=1\r\nLED_STATUS=0\r\nDPI_SPEED=4\r\nWHEEL_SPEED=2\r\nUSB_SPEED=2\r\nFIRE_TIME=50\r\n";

class ConfigStore : public ::testing::Test {
 protected:
  std::unique_ptr<ProfileFiles> files = MakeProfileFilesUnderTest();
  TestFolder folder;
  std::u16string config = folder.Path(u"config.ini");
  ConfigRecord record;
};

TEST_F(ConfigStore, MissingSectionOrFileLoadsAllZeros) {
  WriteBytes(config, "[Config1]\r\nK0=1\r\n");
  FillWith(record, 11);
  LoadConfiguration(*files, config, 3, false, 1, record);
  EXPECT_EQ(StoredFields(record), std::vector<std::int64_t>(22, 0));

  FillWith(record, 11);
  LoadConfiguration(*files, folder.Path(u"absent.ini"), 1, false, 1, record);
  EXPECT_EQ(StoredFields(record), std::vector<std::int64_t>(22, 0));
}

TEST_F(ConfigStore, NumbersAreReadThroughShortBuffers) {
  WriteBytes(config,
             "[Config2]\r\nK0=0041\r\nK1=-5\r\nK2=12abc\r\nFIRE_TIME=12345\r\nDPI_LEVEL= 3\r\n"
             "DPI_SET0=300\r\nDPI_SET_EN0=1\r\nDPI_SET_EN1=7\r\nDPI_SET3=123456789012\r\nDPI_SET_EN3=-1\r\n"
             "LED_STATUS=257\r\nUSB_SPEED=x\r\n");
  LoadConfiguration(*files, config, 2, false, 0, record);
  EXPECT_EQ(record.K[0], 41);
  EXPECT_EQ(record.K[1], -5);
  EXPECT_EQ(record.K[2], 12);
  EXPECT_EQ(record.FIRE_TIME, 1234);  // four characters fit the buffer
  EXPECT_EQ(record.DPI_LEVEL, 3);
  EXPECT_EQ(record.DPI_SET[0], 44);   // low eight bits of 300
  EXPECT_EQ(record.DPI_SET_EN[0], 1);
  EXPECT_EQ(record.DPI_SET_EN[1], 1);  // any nonzero number enables
  EXPECT_EQ(record.DPI_SET_EN[2], 0);  // missing key disables
  EXPECT_EQ(record.DPI_SET[3], static_cast<std::uint8_t>(123456789));  // nine characters fit
  EXPECT_EQ(record.DPI_SET_EN[3], 1);
  EXPECT_EQ(record.LED_STATUS, 1);
  EXPECT_EQ(record.USB_SPEED, 0);

  SaveConfiguration(*files, config, 2, record);
  EXPECT_EQ(files->ReadString(u"Config2", u"DPI_SET_EN1", u"", 10, config), u"1");
  EXPECT_EQ(files->ReadString(u"Config2", u"FIRE_TIME", u"", 10, config), u"1234");
}

TEST_F(ConfigStore, SavingTheDefaultsWritesEveryKeyInOrderAndKeepsUnknownKeys) {
  record.MACRO_MODE2 = 1;
  SetFactoryDefaults(record);
  EXPECT_EQ(record.MACRO_MODE2, 1);  // not part of the defaults
  SaveConfiguration(*files, config, 1, record);
  EXPECT_EQ(ReadBytes(config), "[Config1]\r\n" + kDefaultsSection);

  WriteBytes(config, "[Config1]\r\nNote=mine\r\nK0=9\r\n[Other]\r\nx=1\r\n");
  SaveConfiguration(*files, config, 1, record);
  EXPECT_EQ(ReadBytes(config), "[Config1]\r\nNote=mine\r\nK0=1\r\n" + kDefaultsSection.substr(6) + "[Other]\r\nx=1\r\n");
}

TEST_F(ConfigStore, SingleKeySavesTouchOnlyTheirKey) {
  SetFactoryDefaults(record);
  SaveConfiguration(*files, config, 4, record);
  record.DPI_LEVEL = 3;
  record.USB_SPEED = 0;
  record.FIRE_TIME = 7;
  SaveCurrentDpiLevel(*files, config, 4, record);
  SaveReportRateStep(*files, config, 4, record);
  ConfigRecord loaded;
  LoadConfiguration(*files, config, 4, false, 0, loaded);
  EXPECT_EQ(loaded.DPI_LEVEL, 3);
  EXPECT_EQ(loaded.USB_SPEED, 0);
  EXPECT_EQ(loaded.FIRE_TIME, 50);
}

TEST_F(ConfigStore, ResetSectionDependsOnLanguageOnlyForConfigurationFive) {
  EXPECT_EQ(ResetSectionName(5, 0), u"CfgReset5");
  EXPECT_EQ(ResetSectionName(5, 1), u"CfgReset_EN5");
  EXPECT_EQ(ResetSectionName(5, 2), u"CfgReset5");
  for (std::uint8_t flag : {0, 1, 2}) {
    for (int n = 2; n <= 4; ++n) EXPECT_EQ(ResetSectionName(n, flag), u"CfgReset" + DecimalText(n));
  }
}

TEST_F(ConfigStore, FactoryResetRewritesOneToFiveAndReloadsTheCurrent) {
  WriteBytes(config,
             "[Init]\r\nCurConfig=4\r\n[CfgReset2]\r\nK0=1\r\nFIRE_TIME=20\r\n[CfgReset4]\r\nK0=1\r\nK1=41\r\n"
             "[CfgReset5]\r\nK5=31\r\n[CfgReset_EN5]\r\nK5=32\r\n[Config3]\r\nK0=1\r\nFIRE_TIME=99\r\n");
  FillWith(record, 20);
  record.MACRO_MODE2 = 1;
  FactoryReset(*files, config, 4, 1, record);

  ConfigRecord c;
  LoadConfiguration(*files, config, 1, false, 1, c);
  ConfigRecord defaults;
  defaults.MACRO_MODE2 = 1;
  SetFactoryDefaults(defaults);
  EXPECT_EQ(StoredFields(c), StoredFields(defaults));

  LoadConfiguration(*files, config, 2, false, 1, c);
  EXPECT_EQ(c.FIRE_TIME, 20);
  LoadConfiguration(*files, config, 3, false, 1, c);  // no CfgReset3: all zeros
  EXPECT_EQ(StoredFields(c), std::vector<std::int64_t>(22, 0));
  LoadConfiguration(*files, config, 5, false, 1, c);
  EXPECT_EQ(c.K[5], 32);  // the English defaults

  EXPECT_EQ(record.K[1], 41);  // the current configuration, reloaded
  EXPECT_EQ(record.MACRO_MODE2, 0);

  FactoryReset(*files, config, 4, 0, record);
  LoadConfiguration(*files, config, 5, false, 0, c);
  EXPECT_EQ(c.K[5], 31);
}

TEST_F(ConfigStore, ExportThenImportGivesBackEveryStoredField) {
  const std::u16string profile = folder.Path(u"my profile.ini");
  FillWith(record, 1);
  record.DPI_LEVEL = 1;  // an enabled level: the import keeps what the editors keep
  ExportProfile(*files, profile, record);
  EXPECT_EQ(ReadBytes(profile).rfind("[Config7]\r\nK0=1\r\n", 0), 0u);

  ConfigRecord imported;
  ImportProfile(*files, profile, 0, imported);
  EXPECT_EQ(StoredFields(imported), StoredFields(record));
}

TEST_F(ConfigStore, StartupChoicesAndTheirSaves) {
  EXPECT_EQ(ReadStartupChoices(*files, config).currentConfig, 0);
  WriteBytes(config, "[Init]\r\nCurConfig=3\r\nVER_SEL=1\r\n");
  StartupChoices choices = ReadStartupChoices(*files, config);
  EXPECT_EQ(choices.currentConfig, 3);
  EXPECT_EQ(choices.languageFlag, 1);

  SaveCurrentConfigNumber(*files, config, 5);
  SaveLanguageFlag(*files, config, 0);
  EXPECT_EQ(ReadBytes(config), "[Init]\r\nCurConfig=5\r\nVER_SEL=0\r\n");
}

TEST_F(ConfigStore, ReadOnlyFileStaysUnchangedAndTheRecordKeepsItsValues) {
  const std::string before = "[Config1]\r\nK0=1\r\n";
  WriteBytes(config, before);
  MakeReadOnly(config);
  if (!ReadOnlyFilesAreEnforced(config)) {
    MakeWritable(config);
    GTEST_SKIP() << "this user may write read-only files here";
  }
  FillWith(record, 5);
  SaveConfiguration(*files, config, 1, record);
  SaveCurrentConfigNumber(*files, config, 2);
  MakeWritable(config);
  EXPECT_EQ(ReadBytes(config), before);
  EXPECT_EQ(record.K[0], 5);
}

}  // namespace
}  // namespace zr::test
