// The download into the virtual mouse, against the profile functions of each
// test program: the portable engine natively, the system's own under Wine.
#include <gtest/gtest.h>

#include "config/ConfigStore.h"
#include "shared/MouseRig.h"
#include "shared/ProfileUnderTest.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

class DownloadScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig.link.OpenDevice());
    SetFactoryDefaults(rig.record);
  }
  void Download(std::int32_t number = 1) { zr::Download(rig.Services(*files), rig.record, number, configFile); }
  void ExpectSavedDefaults(std::int32_t number) {
    ConfigRecord saved;
    LoadConfiguration(*files, configFile, number, false, 0, saved);
    for (int slot = 0; slot < kButtonSlots; ++slot) EXPECT_EQ(saved.K[slot], rig.record.K[slot]) << slot;
    EXPECT_EQ(saved.DPI_SET, rig.record.DPI_SET);
    EXPECT_EQ(saved.DPI_SET_EN, rig.record.DPI_SET_EN);
    EXPECT_EQ(saved.DPI_SPEED, 4);
    EXPECT_EQ(saved.WHEEL_SPEED, 2);
    EXPECT_EQ(saved.FIRE_TIME, 50);
  }

  MouseRig rig;
  std::unique_ptr<ProfileFiles> files = MakeProfileFilesUnderTest();
  TestFolder folder;
  std::u16string configFile = folder.Path(u"config.ini");
};

const std::vector<Bytes> kFactoryDefaultReports = {
    {7, 0x10, 0x01, 0x01, 0, 0, 0, 0},       {7, 0x10, 0x03, 0x03, 0, 0, 0, 0},
    {7, 0x10, 0x02, 0x02, 0, 0, 0, 0},       {7, 0x10, 0x04, 0x04, 0, 0, 0, 0},
    {7, 0x10, 0x05, 0x05, 0, 0, 0, 0},       {7, 0x10, 0x06, 0x06, 0, 0, 0, 0},
    {7, 0x11, 0x00, 0x00, 0, 0, 0, 0},       {7, 0x09, 0x40, 0x48, 0x0F, 0, 0, 0},
    {7, 0x09, 0x40, 0x69, 0x0F, 0, 0, 0},    {7, 0x09, 0x40, 0x7A, 0x0F, 0, 0, 0},
    {7, 0x09, 0x40, 0xBB, 0x0F, 0, 0, 0},
    {7, 0x13, 0x7F, 0x10, 0x0F, 0, 0, 0},  // byte 4 is what the last DPI entry left there
    {7, 0x12, 0x00, 0x06, 0, 0, 0, 0},
};

TEST_F(DownloadScenario, FactoryDefaultsReachTheMouseTheSystemAndTheFile) {
  Download();

  EXPECT_EQ(rig.mouse.TakenReports(), kFactoryDefaultReports);
  EXPECT_EQ(rig.system.speed, 8);
  EXPECT_EQ(rig.system.lines, 3u);
  EXPECT_EQ(rig.repaint.count, 1);

  const virtual_mouse::FirmwareState mouse = rig.mouse.State();
  EXPECT_EQ(mouse.buttonFunction, (std::array<std::uint8_t, 7>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(mouse.sensorCode, (std::array<std::uint8_t, 4>{4, 6, 7, 11}));
  EXPECT_EQ(mouse.enabledMask, 0x0F);
  EXPECT_EQ(mouse.fireUnits, 6);

  EXPECT_EQ(rig.record.sentSensorCode, (std::array<std::uint8_t, 4>{4, 6, 7, 11}));
  for (int slot = 0; slot < kButtonSlots; ++slot) {
    EXPECT_EQ(rig.record.dpiButtonFlag[slot].load(), slot == 5 ? 1 : 0) << slot;
    EXPECT_EQ(rig.record.rateButtonFlag[slot].load(), 0) << slot;
  }

  EXPECT_EQ(ReadStartupChoices(*files, configFile).currentConfig, 1);
  ExpectSavedDefaults(kDownloadSnapshotNumber);
  ExpectSavedDefaults(1);
}

TEST_F(DownloadScenario, MouseUnpluggedHalfwayFailsQuietlyAndTheFileIsStillWritten) {
  rig.repaint.onRepaint = [&] {
    rig.mouse.Unplug();
    rig.DeliverNotices();  // the interface thread is the one repainting
  };
  Download(3);

  const std::vector<virtual_mouse::LoggedReport> log = rig.mouse.FeatureLog();
  ASSERT_EQ(log.size(), kFactoryDefaultReports.size());
  EXPECT_TRUE(log[11].taken);     // the LED report came before the repaint
  EXPECT_FALSE(log.back().taken);  // the fire time found the mouse gone
  EXPECT_EQ(rig.exits, 1);        // the removal ran the exit procedure once
  EXPECT_FALSE(rig.link.DevicePresent());
  EXPECT_EQ(rig.system.speed, 8);
  EXPECT_EQ(ReadStartupChoices(*files, configFile).currentConfig, 3);
  ExpectSavedDefaults(kDownloadSnapshotNumber);
  ExpectSavedDefaults(3);

  Download(3);  // a second download with no mouse at all changes nothing for the worse
  EXPECT_EQ(rig.mouse.TakenReports().size(), 12u);
  ExpectSavedDefaults(3);
}

}  // namespace
}  // namespace zr::test
