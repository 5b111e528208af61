// Finding and opening the mouse among what the system lists, and following
// its removal and arrival.
#include <gtest/gtest.h>

#include <array>
#include <ostream>

#include "shared/MouseRig.h"

namespace zr::test {
namespace {

using virtual_mouse::Interface;
using virtual_mouse::VirtualMouse;

Interface Pointer() { return VirtualMouse::PointerCollection(); }
Interface Input() { return VirtualMouse::VendorInputCollection(); }
Interface Feature() { return VirtualMouse::VendorFeatureCollection(); }
Interface Other(int n) { return VirtualMouse::UnrelatedDevice(n); }
template <typename Change>
Interface With(Interface i, Change change) {
  change(i);
  return i;
}

struct Discovery {
  const char* name;
  std::vector<Interface> interfaces;
  bool found;
  HandleState input;
  HandleState feature;
  std::u16string devicePath;  // empty: not looked at
  std::uint32_t indicesAsked;
};

void PrintTo(const Discovery& c, std::ostream* out) { *out << c.name; }

class DiscoveryCase : public ::testing::TestWithParam<Discovery> {};

TEST_P(DiscoveryCase, WalkEndsAsExpected) {
  const Discovery& c = GetParam();
  MouseRig rig(c.interfaces);
  EXPECT_EQ(rig.link.OpenDevice(), c.found);
  EXPECT_EQ(rig.link.DevicePresent(), c.found);
  EXPECT_EQ(rig.link.InputHandle(), c.input);
  EXPECT_EQ(rig.link.FeatureHandle(), c.feature);
  if (!c.devicePath.empty()) {
    EXPECT_EQ(rig.link.DevicePath(), c.devicePath);
  }
  EXPECT_EQ(rig.mouse.IndicesAsked(), c.indicesAsked);
}

const auto kOpen = HandleState::Open;
const auto kNull = HandleState::Null;
const auto kInvalid = HandleState::Invalid;

INSTANTIATE_TEST_SUITE_P(
    DeviceLink, DiscoveryCase,
    ::testing::Values(
        Discovery{"InputThenFeatureStopsAtTheFeature", {Pointer(), Input(), Feature(), Other(1)}, true, kOpen, kOpen,
                  Feature().path, 3},
        Discovery{"FeatureThenInputStopsAtTheInput", {Feature(), Other(1), Input(), Pointer()}, true, kOpen, kOpen,
                  Input().path, 3},
        Discovery{"NoHidDeviceTriesAHundredIndices", {}, false, kNull, kNull, u"", 100},
        Discovery{"OnlyOtherDevices", {Other(1), Other(2)}, false, kNull, kNull, u"", 100},
        Discovery{"InputCollectionWithAnotherUsageIsNotOpened",
                  {Pointer(), With(Input(), [](Interface& i) { i.usage = 2; }), Feature()}, true, kNull, kOpen,
                  Feature().path, 100},
        Discovery{"SameVendorOtherProductIsNotTheMouse",
                  {With(Input(), [](Interface& i) { i.productId = 0x1287; }), Feature()}, true, kNull, kOpen,
                  Feature().path, 100},
        // The found flag belongs to the last interface examined; failing indices are not examined.
        Discovery{"AnotherDeviceAfterHalfTheMouseGivesFalse", {Feature(), Other(1)}, false, kNull, kOpen,
                  Feature().path, 100},
        Discovery{"AFailingIndexAfterHalfTheMouseKeepsTrue",
                  {Feature(), With(Other(1), [](Interface& i) { i.enumerationFails = true; })}, true, kNull, kOpen,
                  Feature().path, 100},
        Discovery{"FaultyInterfacesNeverMatchAndNeverStopTheWalk",
                  {With(Other(1), [](Interface& i) { i.enumerationFails = true; }),
                   With(Other(2), [](Interface& i) { i.openFails = true; }),
                   With(Input(), [](Interface& i) {
                     i.path += u"-2";
                     i.attributesFail = true;
                   }),
                   With(Other(3), [](Interface& i) { i.capabilitiesFail = true; }), Input(), Feature()},
                  true, kOpen, kOpen, Feature().path, 6},
        Discovery{"CollectionWhoseCapabilitiesFailIsNotOpened",
                  {With(Input(), [](Interface& i) { i.capabilitiesFail = true; }), Feature()}, true, kNull, kOpen,
                  u"", 100},
        // A failed open leaves the invalid handle, which counts as opened.
        Discovery{"FailedOpenCountsAsOpened",
                  {With(Input(), [](Interface& i) { i.dataOpenFails = true; }), Feature(), Other(1)}, true, kInvalid,
                  kOpen, Feature().path, 2},
        Discovery{"ZeroLengthReportsMakeACollectionUnusable",
                  {With(Input(), [](Interface& i) { i.inputReportLength = 0; }),
                   With(Feature(), [](Interface& i) { i.featureReportLength = 0; })},
                  true, kInvalid, kInvalid, u"", 2},
        Discovery{"ReportsBeyondTheBufferMakeACollectionUnusable",
                  {With(Input(), [](Interface& i) { i.inputReportLength = 257; }),
                   With(Feature(), [](Interface& i) { i.featureReportLength = 4096; })},
                  true, kInvalid, kInvalid, u"", 2},
        Discovery{"ReportsThatFillTheBufferExactlyAreFine",
                  {With(Input(), [](Interface& i) { i.inputReportLength = 256; }),
                   With(Feature(), [](Interface& i) { i.featureReportLength = 256; })},
                  true, kOpen, kOpen, u"", 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeviceLink, UnusableCollectionsAreNeverReadOrWritten) {
  MouseRig rig({With(Input(), [](Interface& i) { i.inputReportLength = 300; }),
                With(Feature(), [](Interface& i) { i.featureReportLength = 300; })});
  ASSERT_TRUE(rig.link.OpenDevice());
  EXPECT_EQ(rig.link.ReportLength(), 300);  // kept as declared, but nothing is sent with it
  rig.reports.SendKeyEvent(0x04, kKeyPress);
  rig.reports.SendFireTime(50);
  rig.reports.SendDriverExit();
  EXPECT_TRUE(rig.mouse.FeatureLog().empty());
  std::array<std::uint8_t, kReportBufferSize> buffer{};
  EXPECT_FALSE(rig.link.ReadInputReport(buffer));  // at once: an open handle would wait here for good
}

TEST(DeviceLink, InputReportsArriveWithTheirLength) {
  MouseRig rig;
  std::array<std::uint8_t, kReportBufferSize> buffer{};
  EXPECT_FALSE(rig.link.ReadInputReport(buffer));  // before the mouse is opened a read fails at once
  ASSERT_TRUE(rig.link.OpenDevice());
  rig.reports.SendButtonAssignment(2, 0);  // the middle button is carried out by the host
  rig.mouse.Press(2);
  rig.mouse.Release(2);
  ASSERT_EQ(rig.link.ReadInputReport(buffer), 8u);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 8), (Bytes{6, 0xF2, 0, 0, 0, 0, 0, 0}));
  ASSERT_EQ(rig.link.ReadInputReport(buffer), 8u);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 3), (Bytes{6, 0xF2, 0x80}));
}

TEST(DeviceLink, RemovalIsRecognisedWhateverTheCaseAndEndsTheUtility) {
  MouseRig rig;
  ASSERT_TRUE(rig.link.OpenDevice());
  EXPECT_EQ(rig.mouse.Registrations(), 1);  // once, although three interfaces matched

  const std::u16string path = rig.link.DevicePath();
  const DeviceNotice other{kDeviceInterfaceNotice, Other(1).path};
  const DeviceNotice otherKind{6, path};  // a handle notice that happens to carry the same text
  EXPECT_TRUE(rig.link.DeviceChange(kDeviceRemoveComplete, &other));
  EXPECT_TRUE(rig.link.DeviceChange(kDeviceRemoveComplete, &otherKind));
  EXPECT_TRUE(rig.link.DeviceChange(kDeviceRemoveComplete, nullptr));
  const DeviceNotice mine{kDeviceInterfaceNotice, path};
  EXPECT_TRUE(rig.link.DeviceChange(0x8001, &mine));  // a removal query is not a removal
  EXPECT_EQ(rig.exits, 0);
  EXPECT_TRUE(rig.link.DevicePresent());

  rig.mouse.Unplug();  // notices name the interfaces in upper case
  rig.DeliverNotices();
  EXPECT_EQ(rig.exits, 1);
  EXPECT_FALSE(rig.link.DevicePresent());
}

TEST(DeviceLink, ArrivalReopensOnlyAMouseThatIsAbsent) {
  MouseRig rig;
  ASSERT_TRUE(rig.link.OpenDevice());
  const std::uint32_t asked = rig.mouse.IndicesAsked();
  const DeviceNotice mine{kDeviceInterfaceNotice, rig.link.DevicePath()};
  rig.link.DeviceChange(kDeviceArrival, &mine);
  EXPECT_EQ(rig.mouse.IndicesAsked(), asked);  // present already: no walk

  rig.mouse.Unplug();
  rig.DeliverNotices();
  rig.reports.SendWheelSetting(1);
  EXPECT_TRUE(rig.mouse.TakenReports().empty());  // the old handle is dead
  rig.mouse.Plug();
  rig.DeliverNotices();
  EXPECT_TRUE(rig.link.DevicePresent());
  EXPECT_EQ(rig.link.InputHandle(), HandleState::Open);
  EXPECT_EQ(rig.link.FeatureHandle(), HandleState::Open);
  EXPECT_EQ(rig.mouse.Registrations(), 1);
  rig.reports.SendWheelSetting(1);
  EXPECT_EQ(rig.mouse.TakenReports().size(), 1u);
  EXPECT_EQ(rig.mouse.State().wheel, 1);
}

}  // namespace
}  // namespace zr::test
