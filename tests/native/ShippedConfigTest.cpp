// The shipped config.ini and the start-up reads over it.
#include <gtest/gtest.h>

#include "app/AppState.h"
#include "config/ConfigStore.h"
#include "config/FunctionTable.h"
#include "platform/IniEngine.h"
#include "platform/Text.h"
#include "shared/TestFolder.h"

namespace zr {
namespace {

const std::u16string kShippedData = Utf16FromUtf8(ZR_SOURCE_DIR) + u"\\data";

// What the editors promise for every configuration they leave behind.
void ExpectEditorInvariants(const ConfigRecord& r, const std::string& where) {
  SCOPED_TRACE(where);
  bool anyEnabled = false, leftClick = false;
  for (int j = 0; j < kDpiLevels; ++j) {
    anyEnabled |= r.DPI_SET_EN[j] == 1;
    EXPECT_LE(r.DPI_SET[j], 11);
  }
  EXPECT_TRUE(anyEnabled);
  ASSERT_GE(r.DPI_LEVEL, 0);
  ASSERT_LT(r.DPI_LEVEL, kDpiLevels);
  EXPECT_EQ(r.DPI_SET_EN[r.DPI_LEVEL], 1);
  for (const auto& k : r.K) leftClick |= k == 1;
  EXPECT_TRUE(leftClick);
  EXPECT_LE(r.LED_STATUS, 3);
  EXPECT_LE(r.DPI_SPEED, 9);
  EXPECT_LE(r.WHEEL_SPEED, 9);
  EXPECT_LE(r.USB_SPEED, 3);
  EXPECT_GE(r.FIRE_TIME, 0);
  EXPECT_LE(r.FIRE_TIME, 300);
  EXPECT_LE(r.WHEEL_STATUS, 1);
}

TEST(ShippedConfig, EveryConfigurationAndFactoryDefaultKeepsTheEditorInvariants) {
  PortableProfileFiles files;
  const std::u16string path = kShippedData + u"\\config.ini";
  ConfigRecord r;
  for (int n = 1; n <= 5; ++n) {
    LoadConfiguration(files, path, n, false, 1, r);
    ExpectEditorInvariants(r, "Config" + std::to_string(n));
    for (std::uint8_t flag : {0, 1}) {
      if (n == 1) continue;  // configuration 1 resets from the built-in defaults
      LoadConfiguration(files, path, n, true, flag, r);
      ExpectEditorInvariants(r, Utf8FromUtf16(ResetSectionName(n, flag)));
    }
  }
  SetFactoryDefaults(r);
  ExpectEditorInvariants(r, "factory defaults");

  const StartupChoices choices = ReadStartupChoices(files, path);
  EXPECT_EQ(choices.currentConfig, 1);
  EXPECT_EQ(choices.languageFlag, 1);
}

TEST(ShippedConfig, ConfigurationOneIsTheFactoryDefault) {
  PortableProfileFiles files;
  ConfigRecord shipped, defaults;
  LoadConfiguration(files, kShippedData + u"\\config.ini", 1, false, 1, shipped);
  SetFactoryDefaults(defaults);
  for (int s = 0; s < kButtonSlots; ++s) EXPECT_EQ(shipped.K[s], defaults.K[s]);
  EXPECT_EQ(shipped.DPI_SET, defaults.DPI_SET);
  EXPECT_EQ(shipped.DPI_SET_EN, defaults.DPI_SET_EN);
  EXPECT_EQ(shipped.FIRE_TIME, defaults.FIRE_TIME);
  EXPECT_EQ(shipped.USB_SPEED, defaults.USB_SPEED);
}

TEST(LoadStartupState, ReadsTheChoicesThenTheCurrentConfiguration) {
  test::TestFolder folder;
  PortableProfileFiles files;
  PortableFileQueries queries;
  AppState state;
  state.paths.applicationDirectory = folder.Directory();

  LoadStartupState(files, queries, state);  // no config.ini at all: configuration 1's factory defaults
  EXPECT_EQ(state.currentConfig, 1);
  EXPECT_EQ(state.languageFlag, 0);
  EXPECT_EQ(state.config.K[0], 1);
  EXPECT_EQ(state.config.DPI_SET, (std::array<std::uint8_t, 4>{3, 5, 6, 8}));
  EXPECT_EQ(state.config.FIRE_TIME, 50);

  test::WriteBytes(state.paths.ConfigFile(),
                   "[Init]\r\nCurConfig=3\r\nVER_SEL=1\r\n[Config3]\r\nK0=41\r\nK1=1\r\nFIRE_TIME=0012\r\n");
  LoadStartupState(files, queries, state);
  EXPECT_EQ(state.currentConfig, 3);
  EXPECT_EQ(state.languageFlag, 1);
  EXPECT_EQ(state.config.K[0], 41);
  EXPECT_EQ(state.config.FIRE_TIME, 12);
}

}  // namespace
}  // namespace zr
