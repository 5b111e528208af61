// The download's translation of the record into device bytes, host settings
// and file writes, one concern at a time.
#include <gtest/gtest.h>

#include "config/ConfigStore.h"
#include "platform/IniEngine.h"
#include "shared/MemoryProfileFiles.h"
#include "shared/MouseRig.h"
#include "shared/TestFolder.h"

namespace zr::test {
namespace {

class ConfigDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig.link.OpenDevice());
    SetFactoryDefaults(rig.record);
  }
  std::vector<Bytes> Download() {
    rig.mouse.ClearLog();
    zr::Download(rig.Services(files), rig.record, 1, u"config.ini");
    return rig.mouse.TakenReports();
  }
  // The reports of one command, in the order sent.
  static std::vector<Bytes> OfCommand(const std::vector<Bytes>& reports, std::uint8_t command) {
    std::vector<Bytes> selected;
    for (const Bytes& r : reports)
      if (r[1] == command) selected.push_back(r);
    return selected;
  }

  MouseRig rig;
  MemoryProfileFiles files;
};

struct Assignment {
  std::int32_t code;
  std::uint8_t deviceFunction;
  bool dpiButton;
  bool rateButton;
};

TEST_F(ConfigDownloadTest, FunctionCodesBecomeDeviceFunctionsAndButtonFlags) {
  // One slot after another download in the same record, so a flag left over
  // from the previous row would show.
  for (const Assignment& c :
       {Assignment{14, 10, false, true}, Assignment{41, 0, false, false}, Assignment{6, 6, true, false},
        Assignment{0, 0, false, false}, Assignment{15, 11, true, false}, Assignment{7, 0, false, false},
        Assignment{16, 12, true, false}, Assignment{11, 7, false, false}, Assignment{12, 8, false, false},
        Assignment{13, 9, false, false}, Assignment{17, 13, false, false}, Assignment{10, 0, false, false},
        Assignment{18, 0, false, false}, Assignment{21, 0, false, false}, Assignment{39, 0, false, false},
        Assignment{52, 0, false, false}, Assignment{53, 0, false, false}, Assignment{-3, 0xFD, false, false},
        Assignment{1, 1, false, false}, Assignment{5, 5, false, false}}) {
    rig.record.K[3] = c.code;
    rig.record.K[5] = 1;  // the factory DPI button out of the way
    const std::vector<Bytes> assignments = OfCommand(Download(), 0x10);
    ASSERT_EQ(assignments.size(), 6u);
    EXPECT_EQ(assignments[3][2], 4) << c.code;  // slot 3 is button code 4
    EXPECT_EQ(assignments[3][3], c.deviceFunction) << c.code;
    EXPECT_EQ(rig.mouse.State().buttonFunction[4], c.deviceFunction) << c.code;
    for (int slot = 0; slot < kButtonSlots; ++slot) {
      EXPECT_EQ(rig.record.dpiButtonFlag[slot].load(), (slot == 3 && c.dpiButton) ? 1 : 0) << c.code << " slot " << slot;
      EXPECT_EQ(rig.record.rateButtonFlag[slot].load(), (slot == 3 && c.rateButton) ? 1 : 0) << c.code << " slot " << slot;
    }
  }
}

TEST_F(ConfigDownloadTest, EveryLevelEntryCarriesTheEnabledMaskAndTheCurrentLevel) {
  struct Case {
    std::array<std::uint8_t, 4> enabled;
    std::int32_t level;
    std::uint8_t mask;
  };
  for (const Case& c : {Case{{1, 1, 1, 1}, 0, 0x0F}, Case{{0, 0, 1, 0}, 2, 0x04}, Case{{1, 1, 0, 1}, 3, 0x0B}}) {
    rig.record.DPI_SET_EN = c.enabled;
    rig.record.DPI_LEVEL = c.level;
    const std::vector<Bytes> entries = OfCommand(Download(), 0x09);
    ASSERT_EQ(entries.size(), 4u);
    for (int j = 0; j < 4; ++j) {
      EXPECT_EQ(entries[j][2], 0x40 + c.level);
      EXPECT_EQ(entries[j][3] & 0x0F, 8 + j);
      EXPECT_EQ(entries[j][4], c.mask);
    }
    EXPECT_EQ(rig.mouse.State().enabledMask, c.mask);
    EXPECT_EQ(rig.mouse.State().currentLevel, c.level);
  }
}

TEST_F(ConfigDownloadTest, LedModesAndDpiStepsBeyondTheirTablesFallBackToTheFirstEntry) {
  struct Case {
    std::uint8_t ledStatus;
    std::uint8_t ledByte;
    std::uint8_t sentMode;
  };
  for (const Case& c : {Case{0, 0x10, 0}, Case{1, 0x13, 1}, Case{2, 0x16, 2}, Case{3, 0x17, 3}, Case{4, 0x10, 0},
                        Case{255, 0x10, 0}}) {
    rig.record.LED_STATUS = c.ledStatus;
    const std::vector<Bytes> led = OfCommand(Download(), 0x13);
    ASSERT_EQ(led.size(), 1u);
    EXPECT_EQ(led[0][3], c.ledByte) << int{c.ledStatus};
    EXPECT_EQ(rig.record.sentLedMode.load(), c.sentMode) << int{c.ledStatus};
  }

  rig.record.DPI_SET = {11, 12, 44, 255};  // 300 in a file loads as 44
  const std::vector<Bytes> entries = OfCommand(Download(), 0x09);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0][3], 0xF8);
  for (int j = 1; j < 4; ++j) EXPECT_EQ(entries[j][3], 0x18 + j) << j;
  EXPECT_EQ(rig.record.sentSensorCode, (std::array<std::uint8_t, 4>{15, 1, 1, 1}));
}

TEST_F(ConfigDownloadTest, PointerSpeedAndWheelLinesFollowTheirSteps) {
  struct Case {
    std::uint8_t step;
    std::int32_t speed;
    std::uint32_t lines;
  };
  for (const Case& c : {Case{0, 1, 1}, Case{1, 2, 2}, Case{2, 4, 3}, Case{3, 6, 4}, Case{4, 8, 5}, Case{5, 10, 6},
                        Case{6, 12, 7}, Case{7, 14, 8}, Case{8, 16, 9}, Case{9, 18, 10}, Case{12, 18, 13},
                        Case{254, 18, 255}, Case{255, 18, 0}}) {
    rig.record.DPI_SPEED = c.step;
    rig.record.WHEEL_SPEED = c.step;
    rig.system.calls.clear();
    Download();
    EXPECT_EQ(rig.system.speed, c.speed) << int{c.step};
    EXPECT_EQ(rig.system.lines, c.lines) << int{c.step};
    ASSERT_EQ(rig.system.calls.size(), 4u);
    EXPECT_EQ(rig.system.calls[0].what, "get speed");
    EXPECT_EQ(rig.system.calls[2].what, "get lines");
  }
}

TEST_F(ConfigDownloadTest, ASettingTheSystemCannotReportIsLeftAlone) {
  rig.system.speedReadable = false;
  Download();
  EXPECT_EQ(rig.system.speed, 10);
  EXPECT_EQ(rig.system.lines, 3u);
  EXPECT_EQ(rig.system.calls.back(), (RecordingSystemSettings::Call{"set lines", 3}));

  rig.system.speedReadable = true;
  rig.system.linesReadable = false;
  rig.record.WHEEL_SPEED = 5;
  rig.system.calls.clear();
  Download();
  EXPECT_EQ(rig.system.speed, 8);
  EXPECT_EQ(rig.system.lines, 3u);
  EXPECT_EQ(rig.system.calls.size(), 3u);
}

// Files that tell, at each write, how many reports the mouse had seen.
class WriteTimeline final : public ProfileFiles {
 public:
  WriteTimeline(ProfileFiles& files, const virtual_mouse::VirtualMouse& mouse) : files_(files), mouse_(mouse) {}
  std::u16string ReadString(std::u16string_view s, std::u16string_view k, std::u16string_view d, std::size_t n,
                            std::u16string_view p) override {
    return files_.ReadString(s, k, d, n, p);
  }
  bool WriteString(std::u16string_view s, std::u16string_view k, std::u16string_view v,
                   std::u16string_view p) override {
    singleWrites.push_back(std::u16string(s));
    return files_.WriteString(s, k, v, p);
  }
  bool WriteStrings(std::span<const ProfileWrite> writes, std::u16string_view p) override {
    batches.push_back({std::vector<ProfileWrite>(writes.begin(), writes.end()), mouse_.FeatureLog().size()});
    return files_.WriteStrings(writes, p);
  }
  struct Batch {
    std::vector<ProfileWrite> writes;
    std::size_t reportsBefore;
  };
  std::vector<Batch> batches;
  std::vector<std::u16string> singleWrites;

 private:
  ProfileFiles& files_;
  const virtual_mouse::VirtualMouse& mouse_;
};

TEST_F(ConfigDownloadTest, StepsComeInTheirOrderAndTheFileIsWrittenOnceAtTheEnd) {
  constexpr std::size_t kKeysPerSave = 22;
  WriteTimeline timeline(files, rig.mouse);
  std::size_t reportsAtRepaint = 0;
  std::size_t settingsCallsAtRepaint = 99;
  rig.repaint.onRepaint = [&] {
    reportsAtRepaint = rig.mouse.FeatureLog().size();
    settingsCallsAtRepaint = rig.system.calls.size();
    rig.record.DPI_LEVEL = 2;  // the worker follows a DPI button meanwhile
  };
  zr::Download(rig.Services(timeline), rig.record, 4, u"config.ini");

  EXPECT_EQ(reportsAtRepaint, 12u);  // after the LED mode, before the fire time
  EXPECT_EQ(settingsCallsAtRepaint, 0u);
  EXPECT_EQ(rig.mouse.TakenReports().back()[1], 0x12);
  EXPECT_TRUE(timeline.singleWrites.empty());
  ASSERT_EQ(timeline.batches.size(), 1u);
  const WriteTimeline::Batch& batch = timeline.batches.front();
  EXPECT_EQ(batch.reportsBefore, 13u);
  ASSERT_EQ(batch.writes.size(), 1u + 2 * kKeysPerSave);
  EXPECT_EQ(batch.writes[0].section + u"." + batch.writes[0].key + u"=" + batch.writes[0].value, u"Init.CurConfig=4");
  for (std::size_t i = 1; i <= kKeysPerSave; ++i) EXPECT_EQ(batch.writes[i].section, u"Config6") << i;
  for (std::size_t i = 1 + kKeysPerSave; i < batch.writes.size(); ++i) EXPECT_EQ(batch.writes[i].section, u"Config4") << i;
  // The snapshot holds the record as the download began; the current
  // configuration what it holds at the end, as when each was saved in its step.
  EXPECT_EQ(batch.writes[7].key, u"DPI_LEVEL");
  EXPECT_EQ(batch.writes[7].value, u"0");
  EXPECT_EQ(batch.writes[7 + kKeysPerSave].value, u"2");
}

TEST(ConfigDownload, AReadOnlyConfigFileStillLetsEveryReportThrough) {
  MouseRig rig;
  ASSERT_TRUE(rig.link.OpenDevice());
  SetFactoryDefaults(rig.record);
  TestFolder folder;
  const std::u16string configFile = folder.Path(u"config.ini");
  WriteBytes(configFile, "[Init]\r\nCurConfig=2\r\n");
  MakeReadOnly(configFile);
  PortableProfileFiles files;

  zr::Download(rig.Services(files), rig.record, 1, configFile);
  EXPECT_EQ(rig.mouse.TakenReports().size(), 13u);
  EXPECT_EQ(rig.system.speed, 8);
  EXPECT_EQ(ReadBytes(configFile), "[Init]\r\nCurConfig=2\r\n");
}

}  // namespace
}  // namespace zr::test
