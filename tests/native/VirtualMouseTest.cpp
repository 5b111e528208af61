// The virtual mouse's firmware: what its buttons do under each device
// function, and what it refuses. The host's tests rely on these reactions.
#include <gtest/gtest.h>

#include <array>

#include "config/ConfigStore.h"
#include "shared/MemoryProfileFiles.h"
#include "shared/MouseRig.h"

namespace zr::test {
namespace {

using virtual_mouse::PointerButton;
using virtual_mouse::PointerEvent;
using std::chrono::milliseconds;

class VirtualMouseTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(rig.link.OpenDevice()); }
  // Gives button code 1 the function, presses and releases it, and returns
  // the vendor reports' first three bytes.
  std::vector<Bytes> Click(std::uint8_t function, int times = 1) {
    rig.reports.SendButtonAssignment(1, function);
    for (int i = 0; i < times; ++i) {
      rig.mouse.Press(1);
      rig.mouse.Release(1);
    }
    return Pending();
  }
  // The vendor reports queued so far. Button code 6, left pressed for good as
  // a host button, marks the end: a read never has to wait for one that will
  // not come.
  std::vector<Bytes> Pending() {
    rig.reports.SendButtonAssignment(6, 0);
    rig.mouse.Press(6);
    std::vector<Bytes> reports;
    std::array<std::uint8_t, kReportBufferSize> buffer{};
    while (rig.link.ReadInputReport(buffer).HasReport() && buffer[1] != 0xF6) reports.push_back({buffer[0], buffer[1], buffer[2]});
    return reports;
  }
  std::vector<PointerEvent> Pointer() const { return rig.mouse.State().pointerEvents; }

  MouseRig rig;
};

TEST_F(VirtualMouseTest, PointerFunctionsReportOnTheOrdinaryCollectionOnly) {
  struct Case {
    std::uint8_t function;
    PointerButton button;
  };
  for (const Case& c : {Case{1, PointerButton::Left}, Case{2, PointerButton::Middle}, Case{3, PointerButton::Right},
                        Case{4, PointerButton::Back}, Case{5, PointerButton::Forward}}) {
    const std::size_t before = Pointer().size();
    EXPECT_TRUE(Click(c.function).empty()) << int{c.function};
    const std::vector<PointerEvent> events = Pointer();
    ASSERT_EQ(events.size(), before + 2);
    EXPECT_EQ(events[before].button, c.button);
    EXPECT_TRUE(events[before].down);
    EXPECT_FALSE(events[before + 1].down);
  }
  EXPECT_EQ(Click(8).size(), 0u);
  EXPECT_EQ(Click(9).size(), 0u);
  EXPECT_EQ(Pointer().size(), 10u + 4 + 6);  // double and triple click: two and three left clicks
}

TEST_F(VirtualMouseTest, HostFunctionsSendPressAndReleaseReports) {
  EXPECT_EQ(Click(0), (std::vector<Bytes>{{6, 0xF1, 0x00}, {6, 0xF1, 0x80}}));
  EXPECT_TRUE(Click(14).empty());  // a byte the firmware does not know leaves the button dead
  EXPECT_TRUE(Pointer().empty());
}

TEST_F(VirtualMouseTest, DpiButtonsMoveAmongEnabledLevelsAndReportTheNewOne) {
  MemoryProfileFiles files;
  SetFactoryDefaults(rig.record);
  rig.record.DPI_SET_EN = {0, 1, 0, 1};
  rig.record.DPI_LEVEL = 1;
  Download(rig.Services(files), rig.record, 1, u"config.ini");

  // Cycle: 1 -> 3 -> 1, skipping the disabled levels and wrapping.
  EXPECT_EQ(Click(6, 2), (std::vector<Bytes>{{6, 0xF1, 3}, {6, 0xF1, 0x80}, {6, 0xF1, 1}, {6, 0xF1, 0x80}}));
  // Up stops at the top, down at the bottom.
  EXPECT_EQ(Click(11, 2), (std::vector<Bytes>{{6, 0xF1, 3}, {6, 0xF1, 0x80}, {6, 0xF1, 3}, {6, 0xF1, 0x80}}));
  EXPECT_EQ(Click(12, 2), (std::vector<Bytes>{{6, 0xF1, 1}, {6, 0xF1, 0x80}, {6, 0xF1, 1}, {6, 0xF1, 0x80}}));
  EXPECT_EQ(rig.mouse.State().currentLevel, 1);
}

TEST_F(VirtualMouseTest, ReportRateStepsWrapAndAreReported) {
  EXPECT_EQ(Click(10, 3), (std::vector<Bytes>{{6, 0xF1, 3}, {6, 0xF1, 0x80}, {6, 0xF1, 0}, {6, 0xF1, 0x80},
                                              {6, 0xF1, 1}, {6, 0xF1, 0x80}}));
}

TEST_F(VirtualMouseTest, RapidFireClicksEveryFireTimeWhileHeld) {
  rig.reports.SendFireTime(40);  // five units of 8 ms
  rig.reports.SendButtonAssignment(1, 7);
  rig.mouse.Press(1);
  rig.mouse.AdvanceTime(milliseconds(100));
  rig.mouse.Release(1);
  rig.mouse.AdvanceTime(milliseconds(100));
  const std::vector<PointerEvent> events = Pointer();
  ASSERT_EQ(events.size(), 2u * 3);  // at once, at 40 and at 80 ms
  EXPECT_EQ(events[2], (PointerEvent{PointerButton::Left, true, milliseconds(40)}));
  EXPECT_EQ(events[4].at, milliseconds(80));

  rig.reports.SendFireTime(0);  // no time at all fires at the shortest period
  rig.mouse.Press(1);
  rig.mouse.AdvanceTime(milliseconds(16));
  EXPECT_EQ(Pointer().size(), 6u + 2 * 3);
}

TEST_F(VirtualMouseTest, LedButtonSwitchesTheLight) {
  EXPECT_TRUE(Click(13).empty());
  EXPECT_FALSE(rig.mouse.State().ledOn);
  Click(13);
  EXPECT_TRUE(rig.mouse.State().ledOn);
}

TEST_F(VirtualMouseTest, OnlyWellFormedReportsToTheFeatureCollectionAreTaken) {
  auto feature = rig.mouse.Open(virtual_mouse::VirtualMouse::VendorFeatureCollection().path, HidAccess::Write);
  auto input = rig.mouse.Open(virtual_mouse::VirtualMouse::VendorInputCollection().path, HidAccess::Write);
  ASSERT_TRUE(feature && input);
  const Bytes good = {7, 0x11, 1, 0, 0, 0, 0, 0};
  EXPECT_FALSE(feature->SetFeature(Bytes{7, 0x11, 1, 0}));          // shorter than the collection's reports
  EXPECT_FALSE(feature->SetFeature(Bytes{6, 0x11, 1, 0, 0, 0, 0, 0}));  // another report id
  EXPECT_FALSE(input->SetFeature(good));                             // a collection without feature reports
  EXPECT_EQ(rig.mouse.State().wheel, 0);
  EXPECT_TRUE(feature->SetFeature(good));
  EXPECT_EQ(rig.mouse.State().wheel, 1);
  const std::vector<virtual_mouse::LoggedReport> log = rig.mouse.FeatureLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_LE(log.front().at, log.back().at);
  EXPECT_TRUE(log.back().taken);
}

TEST_F(VirtualMouseTest, DriverExitReleasesWhatTheHostHeld) {
  rig.reports.SendKeyEvent(0x04, kKeyPress);
  rig.reports.SendKeyEvent(0xF0, kKeyPress);
  rig.reports.SendDriverExit();
  const virtual_mouse::FirmwareState state = rig.mouse.State();
  EXPECT_TRUE(state.driverExitSeen);
  EXPECT_EQ(state.heldKeys, (std::array<std::uint8_t, 6>{}));
  EXPECT_EQ(state.heldButtons, 0);
}

}  // namespace
}  // namespace zr::test
