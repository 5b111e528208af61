// The ways into the virtual mouse from outside: its notices, which reach the
// device link only when the interface thread delivers them; its report log;
// and the control channel's commands and state lines, which end-to-end tests
// read by the names the virtual mouse's README gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string_view>
#include <thread>

#include "shared/MouseRig.h"
#include "virtual_mouse/Control.h"
#include "virtual_mouse/ReportLog.h"

namespace zr::test {
namespace {

using virtual_mouse::ControlCommand;
using virtual_mouse::ControlReply;
using virtual_mouse::ControlVerb;
using virtual_mouse::RaisedNotice;
using namespace std::chrono_literals;

int windowTag;  // its address stands for the main window
NativeWindow const kWindow = &windowTag;

TEST(VirtualMouseNotices, ANoticeRaisedElsewhereChangesTheLinkOnlyWhenDeliveredOnItsThread) {
  MouseRig rig;
  rig.link.AttachWindow(kWindow, [&] { ++rig.exits; });
  ASSERT_TRUE(rig.link.OpenDevice());

  std::thread([&] { rig.mouse.Unplug(); }).join();
  EXPECT_TRUE(rig.link.DevicePresent());  // raised, not yet delivered
  EXPECT_EQ(rig.exits, 0);

  const std::vector<RaisedNotice> notices = rig.mouse.TakeNotices();
  ASSERT_EQ(notices.size(), 3u);  // one per interface of the mouse
  for (const RaisedNotice& raised : notices) {
    EXPECT_EQ(raised.window, kWindow);
    EXPECT_EQ(raised.eventType, kDeviceRemoveComplete);
    EXPECT_EQ(raised.notice.deviceType, kDeviceInterfaceNotice);
  }
  for (const RaisedNotice& raised : notices) rig.link.DeviceChange(raised.eventType, &raised.notice);
  EXPECT_FALSE(rig.link.DevicePresent());
  EXPECT_EQ(rig.exits, 1);
  EXPECT_TRUE(rig.mouse.TakeNotices().empty());  // taken once

  std::thread([&] { rig.mouse.Plug(); }).join();
  EXPECT_FALSE(rig.link.DevicePresent());
  rig.DeliverNotices();
  EXPECT_TRUE(rig.link.DevicePresent());
  EXPECT_EQ(rig.link.FeatureHandle(), HandleState::Open);
}

TEST(VirtualMouseNotices, AnOutletTakesTheNoticesInsteadOfTheQueueAndMayAskTheMouse) {
  MouseRig rig;
  ASSERT_TRUE(rig.link.OpenDevice());
  std::vector<RaisedNotice> handed;
  std::vector<bool> pluggedSeen;
  rig.mouse.SetNoticeOutlet([&](RaisedNotice raised) {
    pluggedSeen.push_back(rig.mouse.Plugged());  // the model's lock is not held here
    handed.push_back(std::move(raised));
  });
  rig.mouse.Unplug();
  rig.mouse.Unplug();  // already gone: no second set of notices
  EXPECT_TRUE(rig.mouse.TakeNotices().empty());
  ASSERT_EQ(handed.size(), 3u);
  EXPECT_EQ(pluggedSeen, (std::vector<bool>{false, false, false}));
  EXPECT_TRUE(rig.link.DevicePresent());  // an outlet never calls the link either
}

// --- the report log ---

TEST(VirtualMouseLog, LinesCarryMillisecondsWithThreeDecimalsAndEveryByte) {
  const Bytes report = {0x07, 0x10, 0x01, 0xAB, 0x00, 0x00, 0x00, 0x0F};
  EXPECT_EQ(virtual_mouse::ReportLogLine(1234567us, "feature", report), "1234.567 feature 07 10 01 AB 00 00 00 0F");
  EXPECT_EQ(virtual_mouse::ReportLogLine(5us, "input", Bytes{0x06, 0xF1, 0x80}), "0.005 input 06 F1 80");
  EXPECT_EQ(virtual_mouse::ReportLogLine(2s, "input", Bytes{}), "2000.000 input ");
}

TEST(VirtualMouseLog, LogsWhatReachesTheMouseAndWhatItSends) {
  MouseRig rig;
  std::vector<std::string> lines;
  rig.mouse.LogReportsTo([&](const std::string& line) { lines.push_back(line); });
  ASSERT_TRUE(rig.link.OpenDevice());

  rig.reports.SendButtonAssignment(1, 0);  // button code 1 now reports to the host
  auto feature = rig.mouse.Open(virtual_mouse::VirtualMouse::VendorFeatureCollection().path, HidAccess::Write);
  feature->SetFeature(Bytes{0x05, 0x10, 0, 0, 0, 0, 0, 0});  // wrong id: reaches the firmware, which refuses it
  feature->SetFeature(Bytes{0x07, 0x11, 1});                 // the system passes no short report on
  rig.mouse.Press(1);
  rig.mouse.Press(2);  // a middle click: nothing on the vendor collection
  rig.mouse.Unplug();
  feature->SetFeature(Bytes{0x07, 0x11, 1, 0, 0, 0, 0, 0});  // a dead handle reaches nothing

  ASSERT_EQ(lines.size(), 3u);
  const std::regex shape(R"((\d+)\.(\d{3}) (feature|input) ((?:[0-9A-F]{2} ){7}[0-9A-F]{2}))");
  const std::vector<std::pair<std::string, std::string>> expected = {{"feature", "07 10 01 00 00 00 00 00"},
                                                                     {"feature", "05 10 00 00 00 00 00 00"},
                                                                     {"input", "06 F1 00 00 00 00 00 00"}};
  double previous = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[i], match, shape)) << lines[i];
    EXPECT_EQ(match[3], expected[i].first);
    EXPECT_EQ(match[4], expected[i].second);
    const double ms = std::stod(match[1].str() + "." + match[2].str());
    EXPECT_GE(ms, previous);
    previous = ms;
  }
}

TEST(VirtualMouseLog, TheFileIsAppendedToAndReadableAtOnce) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("zr-report-log-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".txt");
  std::filesystem::remove(path);
  {
    std::ofstream(path) << "earlier run\n";
  }
  const virtual_mouse::ReportLogWriter writer = virtual_mouse::AppendingFileLog(path.string());
  ASSERT_TRUE(writer);
  writer("1.000 feature 07");
  writer("2.000 input 06");
  std::stringstream text;
  text << std::ifstream(path).rdbuf();  // the writer is still open: flushed line by line
  EXPECT_EQ(text.str(), "earlier run\n1.000 feature 07\n2.000 input 06\n");
  std::filesystem::remove(path);

  EXPECT_FALSE(virtual_mouse::AppendingFileLog((path / "no" / "such" / "folder").string()));
}

// --- the control channel ---

std::map<std::string, std::string> StateOf(const std::string& lines) {
  std::map<std::string, std::string> state;
  std::istringstream in(lines);
  for (std::string line; std::getline(in, line);) {
    const std::size_t equals = line.find('=');
    EXPECT_NE(equals, std::string::npos) << line;
    state[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return state;
}

TEST(VirtualMouseControl, FactoryStateLinesUseTheDocumentedKeys) {
  MouseRig rig;
  const ControlReply reply = virtual_mouse::RunControlCommand(rig.mouse, {ControlVerb::State, -1});
  EXPECT_EQ(reply.exitCode, 0);
  EXPECT_EQ(reply.text,
            "plugged=1\n"
            "button_function_1=1\nbutton_function_2=2\nbutton_function_3=3\n"
            "button_function_4=4\nbutton_function_5=5\nbutton_function_6=6\n"
            "sensor_code_0=4\nsensor_code_1=6\nsensor_code_2=7\nsensor_code_3=11\n"
            "enabled_mask=15\ncurrent_level=0\nreport_rate_step=2\nwheel=0\n"
            "led_mode=0\nled_on=1\nled_parameter=127\nfire_units=6\n"
            "held_keys=00 00 00 00 00 00\nbutton_byte=FF\nconsumer_keys=\ndriver_exit=0\n");
}

TEST(VirtualMouseControl, StateLinesFollowWhatTheHostSent) {
  MouseRig rig;
  ASSERT_TRUE(rig.link.OpenDevice());
  rig.reports.SendButtonAssignment(3, 0);
  rig.reports.SendDpiLevelEntry(2, 9, 1, 0x0B);
  rig.reports.SendWheelSetting(1);
  rig.reports.SendLedMode(6);
  rig.reports.SendFireTime(50);
  rig.reports.SendKeyEvent(0x04, 1);
  rig.reports.SendKeyEvent(0xF1, 1);  // the right mouse button held
  rig.reports.SendConsumerUsage(0x00E9);
  rig.reports.SendConsumerUsage(0x0223);
  rig.mouse.Unplug();

  const auto state = StateOf(virtual_mouse::StateLines(rig.mouse.State(), rig.mouse.Plugged()));
  EXPECT_EQ(state.at("plugged"), "0");
  EXPECT_EQ(state.at("button_function_3"), "0");
  EXPECT_EQ(state.at("sensor_code_1"), "9");
  EXPECT_EQ(state.at("enabled_mask"), "11");
  EXPECT_EQ(state.at("current_level"), "2");
  EXPECT_EQ(state.at("wheel"), "1");
  EXPECT_EQ(state.at("led_mode"), "6");
  EXPECT_EQ(state.at("fire_units"), "6");
  EXPECT_EQ(state.at("held_keys"), "04 00 00 00 00 00");
  EXPECT_EQ(state.at("button_byte"), "FD");
  EXPECT_EQ(state.at("consumer_keys"), "00E9 0223");
}

struct Arguments {
  std::vector<std::string_view> words;
  std::optional<ControlCommand> command;  // nothing: refused with a message
};

TEST(VirtualMouseControl, ArgumentsAreReadOrRefusedWithAMessage) {
  const std::vector<Arguments> rows = {
      {{"press", "0"}, ControlCommand{ControlVerb::Press, 0}},
      {{"release", "5"}, ControlCommand{ControlVerb::Release, 5}},
      {{"click", "right"}, ControlCommand{ControlVerb::Click, 1}},
      {{"click", "middle"}, ControlCommand{ControlVerb::Click, 2}},
      {{"press", "dpi"}, ControlCommand{ControlVerb::Press, 5}},
      {{"unplug"}, ControlCommand{ControlVerb::Unplug, -1}},
      {{"plug"}, ControlCommand{ControlVerb::Plug, -1}},
      {{"state"}, ControlCommand{ControlVerb::State, -1}},
      {{}, std::nullopt},
      {{"press"}, std::nullopt},
      {{"press", "6"}, std::nullopt},
      {{"press", "-1"}, std::nullopt},
      {{"press", "01"}, std::nullopt},
      {{"press", "Left"}, std::nullopt},
      {{"press", "0", "1"}, std::nullopt},
      {{"state", "now"}, std::nullopt},
      {{"explode"}, std::nullopt},
  };
  for (const Arguments& row : rows) {
    std::string joined;
    for (std::string_view word : row.words) joined += std::string(word) + ' ';
    const virtual_mouse::ParsedCommand parsed = virtual_mouse::ParseControlArguments(row.words);
    EXPECT_EQ(parsed.command, row.command) << joined;
    EXPECT_EQ(parsed.error.empty(), row.command.has_value()) << joined;
    if (row.command) {
      // What the client sends, the server reads back the same.
      EXPECT_EQ(virtual_mouse::ParseControlRequest(virtual_mouse::ControlRequest(*row.command)).command, row.command)
          << joined;
    }
  }
  EXPECT_FALSE(virtual_mouse::ParseControlRequest(std::string(300, 'x')).command);
}

TEST(VirtualMouseControl, ButtonCommandsReportWhatTheMouseSent) {
  MouseRig rig;
  ASSERT_TRUE(rig.link.OpenDevice());
  rig.reports.SendButtonAssignment(3, 0);  // slot 1 is button code 3: now a host button
  using virtual_mouse::RunControlCommand;

  EXPECT_EQ(RunControlCommand(rig.mouse, {ControlVerb::Click, 0}), (ControlReply{0, "pointer left down\npointer left up\n"}));
  EXPECT_EQ(RunControlCommand(rig.mouse, {ControlVerb::Press, 1}), (ControlReply{0, "input 06 F3 00 00 00 00 00 00\n"}));
  EXPECT_EQ(RunControlCommand(rig.mouse, {ControlVerb::Release, 1}), (ControlReply{0, "input 06 F3 80 00 00 00 00 00\n"}));
  EXPECT_EQ(RunControlCommand(rig.mouse, {ControlVerb::Click, 5}),
            (ControlReply{0, "input 06 F6 01 00 00 00 00 00\ninput 06 F6 80 00 00 00 00 00\n"}));
  EXPECT_EQ(rig.mouse.State().currentLevel, 1);

  EXPECT_EQ(RunControlCommand(rig.mouse, {ControlVerb::Unplug, -1}), (ControlReply{0, ""}));
  const ControlReply refused = RunControlCommand(rig.mouse, {ControlVerb::Press, 1});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_FALSE(refused.text.empty());
  EXPECT_EQ(RunControlCommand(rig.mouse, {ControlVerb::Plug, -1}), (ControlReply{0, ""}));
  EXPECT_TRUE(rig.mouse.Plugged());
}

TEST(VirtualMouseControl, RepliesSurviveTheWireAndGarbageIsAFailure) {
  const ControlReply replies[] = {{0, "plugged=1\n"}, {0, ""}, {1, "the mouse is unplugged"}};
  for (const ControlReply& reply : replies) EXPECT_EQ(virtual_mouse::DecodeReply(virtual_mouse::EncodeReply(reply)), reply);
  EXPECT_EQ(virtual_mouse::DecodeReply("").exitCode, 1);
  EXPECT_EQ(virtual_mouse::DecodeReply("x").exitCode, 1);
}

}  // namespace
}  // namespace zr::test
