// What each command puts on the wire, and the host's picture of held keys
// and buttons that the injection commands keep.
#include <gtest/gtest.h>

#include "shared/MouseRig.h"

namespace zr::test {
namespace {

using Keys = std::array<std::uint8_t, kHeldKeys>;
constexpr std::uint8_t A = 0x04, B = 0x05, C = 0x06;

class FeatureReportsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(rig.link.OpenDevice()); }
  Bytes Last() const { return rig.mouse.TakenReports().back(); }
  Keys LastKeys() const {
    const Bytes r = Last();
    EXPECT_EQ(r[1], 0x15);
    return {r[2], r[3], r[4], r[5], r[6], r[7]};
  }
  void Press(std::uint8_t key) { rig.reports.SendKeyEvent(key, kKeyPress); }
  void Release(std::uint8_t key) { rig.reports.SendKeyEvent(key, kKeyRelease); }

  MouseRig rig;
};

TEST_F(FeatureReportsTest, KeyArrayFillsUpDropsTheSeventhAndClosesGaps) {
  for (std::uint8_t key = A; key < A + 7; ++key) Press(key);
  EXPECT_EQ(LastKeys(), (Keys{A, B, C, 7, 8, 9}));  // the seventh (10) found no place
  Release(10);
  EXPECT_EQ(LastKeys(), (Keys{A, B, C, 7, 8, 0}));  // and its release lets go of the sixth
  Release(A);
  EXPECT_EQ(LastKeys(), (Keys{B, C, 7, 8, 0, 0}));
  EXPECT_EQ(rig.mouse.State().heldKeys, (std::array<std::uint8_t, 6>{B, C, 7, 8, 0, 0}));
  rig.reports.SendKeyEvent(B, 3);  // neither press nor release
  EXPECT_EQ(LastKeys(), (Keys{B, C, 7, 8, 0, 0}));
}

TEST_F(FeatureReportsTest, TheSameKeyTwiceTakesTwoPlacesAndOneReleaseFreesTheFirst) {
  Press(A);
  Press(B);
  Press(A);
  EXPECT_EQ(LastKeys(), (Keys{A, B, A, 0, 0, 0}));
  Release(A);
  EXPECT_EQ(LastKeys(), (Keys{B, A, 0, 0, 0, 0}));
  EXPECT_EQ(rig.reports.KeyArray(), (Keys{B, A, 0, 0, 0, 0}));
}

TEST_F(FeatureReportsTest, MouseButtonsClearTheirBitsAndReleaseAllPausesBeforeEachReport) {
  Press(A);
  rig.reports.SendKeyEvent(0xF0, kKeyPress);
  EXPECT_EQ(Last(), (Bytes{7, 0x16, A, 0xFE, 0, 0, 0, 0}));  // byte 2 is what the keys report left
  rig.reports.SendKeyEvent(0xF1, kKeyPress);
  EXPECT_EQ(Last()[3], 0xFC);
  rig.reports.SendKeyEvent(0xF3, kKeyPress);  // no bit of its own: the byte goes out as it is
  EXPECT_EQ(Last()[3], 0xFC);
  rig.reports.SendKeyEvent(0xF0, 7);
  EXPECT_EQ(Last()[3], 0xFC);
  EXPECT_EQ(rig.mouse.State().heldButtons, 0x03);

  std::vector<std::size_t> reportsAtEachPause;
  rig.sleeper.onSleep = [&] { reportsAtEachPause.push_back(rig.mouse.TakenReports().size()); };
  const std::size_t before = rig.mouse.TakenReports().size();
  rig.reports.ReleaseAll();
  EXPECT_EQ(rig.sleeper.waits, (std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(10),
                                                                        std::chrono::milliseconds(10)}));
  EXPECT_EQ(reportsAtEachPause, (std::vector<std::size_t>{before, before + 1}));
  const std::vector<Bytes> taken = rig.mouse.TakenReports();
  EXPECT_EQ(taken[before], (Bytes{7, 0x16, A, 0xFF, 0, 0, 0, 0}));
  EXPECT_EQ(taken[before + 1], (Bytes{7, 0x15, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(rig.reports.MouseButtonByte(), 0xFF);
  EXPECT_EQ(rig.mouse.State().heldButtons, 0);
}

struct FireTime {
  std::int32_t fireTime;
  std::uint8_t high, low;
};

TEST_F(FeatureReportsTest, FireTimeTravelsInEightMillisecondUnits) {
  for (std::uint8_t key = A; key < A + 6; ++key) Press(key);  // every parameter byte dirty
  for (const FireTime& c : {FireTime{50, 0x00, 0x06}, FireTime{7, 0x00, 0x00}, FireTime{300, 0x00, 0x25},
                            FireTime{4000, 0x01, 0xF4}, FireTime{-50, 0xFF, 0xFA}}) {
    rig.reports.SendFireTime(c.fireTime);
    EXPECT_EQ(Last(), (Bytes{7, 0x12, c.high, c.low, 0, 0, 0, 0})) << c.fireTime;
  }
}

TEST_F(FeatureReportsTest, ParametersOfTheRemainingCommands) {
  rig.reports.SendDpiLevelEntry(2, 6, 1, 0x0B);
  EXPECT_EQ(Last(), (Bytes{7, 0x09, 0x42, 0x69, 0x0B, 0, 0, 0}));
  rig.reports.SendDpiLevelEntry(0, 15, 3, 0xFF);  // only the four level bits travel
  EXPECT_EQ(Last(), (Bytes{7, 0x09, 0x40, 0xFB, 0x0F, 0, 0, 0}));
  rig.reports.SendWheelSetting(0x101);
  EXPECT_EQ(Last(), (Bytes{7, 0x11, 0x01, 0x00, 0x0F, 0, 0, 0}));
  rig.reports.SendConsumerUsage(0x0223);
  EXPECT_EQ(Last(), (Bytes{7, 0x17, 0x02, 0x23, 0x0F, 0, 0, 0}));
  rig.reports.SendLedMode(7);
  EXPECT_EQ(Last(), (Bytes{7, 0x13, 0x7F, 0x17, 0x0F, 0, 0, 0}));
  rig.reports.SendDriverExit();
  EXPECT_EQ(Last(), (Bytes{7, 0x20, 0x00, 0x00, 0x0F, 0, 0, 0}));

  const virtual_mouse::FirmwareState mouse = rig.mouse.State();
  EXPECT_EQ(mouse.consumerKeys, (std::vector<std::uint16_t>{0x0223}));
  EXPECT_EQ(mouse.ledMode, 7);
  EXPECT_TRUE(mouse.driverExitSeen);
}

TEST(FeatureReports, EveryReportHasTheCollectionsLength) {
  MouseRig rig({virtual_mouse::VirtualMouse::VendorInputCollection(),
                [] {
                  auto feature = virtual_mouse::VirtualMouse::VendorFeatureCollection();
                  feature.featureReportLength = 65;
                  return feature;
                }()});
  ASSERT_TRUE(rig.link.OpenDevice());
  rig.reports.SendKeyEvent(A, kKeyPress);
  rig.reports.SendConsumerUsage(0x00E9);
  rig.reports.SendDriverExit();
  const std::vector<Bytes> taken = rig.mouse.TakenReports();
  ASSERT_EQ(taken.size(), 3u);
  for (const Bytes& report : taken) EXPECT_EQ(report.size(), 65u);
}

TEST(FeatureReports, NothingIsSentBeforeTheMouseIsFound) {
  MouseRig rig;
  rig.reports.SendKeyEvent(A, kKeyPress);
  rig.reports.SendKeyEvent(0xF2, kKeyPress);
  rig.reports.SendButtonAssignment(1, 1);
  EXPECT_TRUE(rig.mouse.FeatureLog().empty());
  // The host's picture changes all the same, until the next release of everything.
  EXPECT_EQ(rig.reports.KeyArray(), (Keys{A, 0, 0, 0, 0, 0}));
  EXPECT_EQ(rig.reports.MouseButtonByte(), 0xFB);
}

}  // namespace
}  // namespace zr::test
