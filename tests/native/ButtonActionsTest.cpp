// The reader's handover and the worker's actions, with a mouse and a clock
// that record what they are asked, in one log so the order shows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "config/ConfigStore.h"
#include "device/ButtonActions.h"
#include "platform/IniEngine.h"
#include "shared/TestFolder.h"

namespace zr {
namespace {

using Log = std::vector<std::string>;

class RecordingMouse final : public MouseInjection {
 public:
  explicit RecordingMouse(Log& log) : log_(log) {}
  void SendKeyEvent(std::uint8_t key, std::uint8_t action) override {
    log_.push_back("key " + std::to_string(key) + (action == kKeyPress ? " down" : " up"));
  }
  void ReleaseAll() override { log_.push_back("release all"); }
  void SendConsumerUsage(std::uint16_t usage) override { log_.push_back("consumer " + std::to_string(usage)); }

 private:
  Log& log_;
};

// Waits take no time; each may run a step of the test on the worker's
// thread, as if the mouse had reported something during that wait.
class ScriptedTimer final : public StepTimer {
 public:
  explicit ScriptedTimer(Log& log) : log_(log) {}
  void BeginPlayback() override {
    interrupted_ = false;
    log_.push_back("begin");
  }
  void EndPlayback() override { log_.push_back("end"); }
  bool Wait(std::uint32_t ms) override {
    log_.push_back("wait " + std::to_string(ms));
    ++waits;
    if (duringWait) duringWait(waits);
    return !interrupted_ && !closed_;
  }
  void Interrupt() override { interrupted_ = true; }
  void Close() override { closed_ = true; }
  std::function<void(int)> duringWait;
  int waits = 0;

 private:
  Log& log_;
  bool interrupted_ = false;
  bool closed_ = false;
};

class CountingRepaint final : public WindowRepaint {
 public:
  void RepaintWholeWindow() override { ++count; }
  int count = 0;
};

class RecordingPrograms final : public ProgramStarter {
 public:
  explicit RecordingPrograms(Log& log) : log_(log) {}
  void StartSystemProgram(std::u16string_view name) override {
    log_.push_back("start " + std::string(name.begin(), name.end()));
  }

 private:
  Log& log_;
};

MacroRecord Macro(std::initializer_list<std::pair<std::uint8_t, std::uint16_t>> presses, std::uint8_t mode = 0,
                  std::uint16_t count = 1) {
  MacroRecord m;
  m.repeatMode = mode;
  m.repeatCount = count;
  for (auto [key, delay] : presses) {
    m.events[m.eventCount] = {key, kKeyPress};
    m.delays[m.eventCount++] = delay;
    m.events[m.eventCount] = {key, kKeyRelease};
    m.delays[m.eventCount++] = delay;
  }
  return m;
}

constexpr std::uint8_t kSlot3Event = 0xF0 + 4;  // slot 3 reports button code 4

class ButtonActions : public ::testing::Test {
 protected:
  ButtonActions() {
    SetFactoryDefaults(config);
    currentConfig = 2;
    SaveConfiguration(files, configFile, 2, config);
  }
  void Press(std::uint8_t code, std::uint8_t level = 1) {
    const std::uint8_t report[] = {6, code, level};
    handover.OnInputReport(report, config.MACRO_MODE2);
  }
  void Release(std::uint8_t code) { Press(code, kReleasedLevelByte); }
  // The worker's loop for one action, on this thread.
  void WorkOnce() {
    std::uint8_t code = 0, level = 0;
    ASSERT_TRUE(handover.Pending());
    ASSERT_EQ(handover.WaitForAction(code, level), ButtonActionHandover::Wake::Action);
    worker.CarryOut(code, level);
    worker.FollowMissedLevels(handover.FinishAction());
  }
  std::string Stored(std::u16string_view key) {
    return Utf8(files.ReadString(u"Config2", key, u"", 16, configFile));
  }
  static std::string Utf8(const std::u16string& s) { return std::string(s.begin(), s.end()); }
  int Count(std::string_view entry) const { return static_cast<int>(std::count(log.begin(), log.end(), entry)); }

  Log log;
  RecordingMouse mouse{log};
  ScriptedTimer timer{log};
  RecordingPrograms programs{log};
  ConfigRecord config;
  MacroTables macros;
  PortableProfileFiles files;
  test::TestFolder folder;
  std::u16string configFile = folder.Path(u"config.ini");
  std::atomic<std::int32_t> currentConfig{0};
  CountingRepaint repaint;
  ButtonActionHandover handover;
  ButtonActionWorker worker{{config, macros, files, configFile, currentConfig, repaint},
                            handover,
                            mouse,
                            timer,
                            programs};
};

TEST_F(ButtonActions, MacroStepsWaitTheirDelayButAtLeastFifteenMilliseconds) {
  MacroRecord m = Macro({{4, 0}, {5, 14}, {6, 16}, {7, 300}});
  worker.PlayMacro(m, 1);
  EXPECT_EQ(log, (Log{"begin", "key 4 down", "wait 15", "key 4 up", "wait 15", "key 5 down", "wait 15",
                      "key 5 up", "wait 15", "key 6 down", "wait 16", "key 6 up", "wait 16", "key 7 down",
                      "wait 300", "key 7 up", "wait 300", "release all", "end"}));
}

TEST_F(ButtonActions, RepetitionCountsAndEmptyMacros) {
  worker.PlayMacro(Macro({{4, 20}}), 0);
  worker.PlayMacro(Macro({{4, 20}}), -3);
  EXPECT_TRUE(log.empty());  // nothing at all, not even a release

  worker.PlayMacro(MacroRecord{}, 2);  // no events: still releases once per repetition
  EXPECT_EQ(Count("release all"), 2);

  EXPECT_EQ(UserMacroRepetitions(Macro({}, 0, 7), 0), 1);
  EXPECT_EQ(UserMacroRepetitions(Macro({}, 1, 7), 0), 7);
  EXPECT_EQ(UserMacroRepetitions(Macro({}, 1, 0), 0), 0);
  EXPECT_EQ(UserMacroRepetitions(Macro({}, 0, 7), 1), kHeldMacroRepetitions);
}

TEST_F(ButtonActions, PressPlaysTheRepeatCountAndASecondPressStopsAfterTheCurrentRepetition) {
  macros.macros[0] = Macro({{4, 20}}, 1, 3);
  macros.macroCount = 1;
  config.K[3] = 41;
  Press(kSlot3Event);
  WorkOnce();
  EXPECT_EQ(Count("release all"), 3);
  EXPECT_EQ(Count("key 4 down"), 3);

  log.clear();
  timer.waits = 0;
  timer.duringWait = [this](int wait) {
    if (wait == 1) Press(kSlot3Event);  // the second press, during the first repetition
  };
  Press(kSlot3Event);
  WorkOnce();
  EXPECT_EQ(log, (Log{"begin", "key 4 down", "wait 20", "key 4 up", "wait 20", "release all", "end"}));

  log.clear();
  timer.duringWait = nullptr;
  Press(kSlot3Event);  // the stop was for that playback only
  WorkOnce();
  EXPECT_EQ(Count("release all"), 3);
}

TEST_F(ButtonActions, HeldModeRepeatsUntilReleasedAndIgnoresFurtherPresses) {
  config.MACRO_MODE2 = 1;
  macros.macros[0] = Macro({{9, 30}}, 0, 1);
  macros.macroCount = 1;
  config.K[3] = 41;
  timer.duringWait = [this](int wait) {
    if (wait == 3) Press(kSlot3Event);  // no effect while it plays
    if (wait == 9) Release(kSlot3Event);
  };
  Press(kSlot3Event);
  WorkOnce();
  EXPECT_EQ(Count("release all"), 5);  // the release came in the fifth repetition
  Release(kSlot3Event);                 // a release with nothing playing changes nothing
  EXPECT_FALSE(handover.StopRequested());
}

TEST_F(ButtonActions, RemovalOrShutdownEndsAMacroInTheStepItIsIn) {
  macros.macros[0] = Macro({{4, 60000}, {5, 60000}}, 1, 3);
  macros.macroCount = 1;
  config.K[3] = 41;
  timer.duringWait = [this](int wait) {
    if (wait == 2) handover.RequestStop();  // the mouse went away
  };
  Press(kSlot3Event);
  WorkOnce();
  EXPECT_EQ(log, (Log{"begin", "key 4 down", "wait 60000", "key 4 up", "wait 60000", "release all", "end"}));

  // The removal was for that playback only; after a shutdown nothing waits.
  log.clear();
  timer.waits = 0;
  timer.duringWait = nullptr;
  Press(kSlot3Event);
  WorkOnce();
  EXPECT_EQ(Count("release all"), 3);
  handover.Shutdown();
  log.clear();
  worker.PlayMacro(macros.macros[0], 3);
  EXPECT_EQ(log, (Log{"begin", "key 4 down", "wait 60000", "release all", "end"}));
}

TEST_F(ButtonActions, OtherEventsStopAPlayingMacroInBothModes) {
  macros.macros[0] = Macro({{4, 20}}, 1, 50);
  macros.macroCount = 1;
  config.K[3] = 41;
  for (std::int32_t mode : {0, 1}) {
    config.MACRO_MODE2 = mode;
    log.clear();
    timer.waits = 0;
    timer.duringWait = [this](int wait) {
      if (wait == 3) Press(0xF0, 1);
    };
    Press(kSlot3Event);
    WorkOnce();
    EXPECT_EQ(Count("release all"), 2) << "mode " << mode;
  }
  // Without a playing macro such an event is nothing.
  Press(0xF0, 1);
  Press(0x10, 1);
  EXPECT_FALSE(handover.Pending());
  EXPECT_FALSE(handover.StopRequested());
}

TEST_F(ButtonActions, ShortOrForeignReportsAreIgnored) {
  const std::uint8_t shortReport[] = {6, kSlot3Event};
  const std::uint8_t otherId[] = {5, kSlot3Event, 1};
  handover.OnInputReport(shortReport, 0);
  handover.OnInputReport(otherId, 0);
  handover.OnInputReport({}, 0);
  EXPECT_FALSE(handover.Pending());
}

TEST_F(ButtonActions, DpiButtonTakesTheReportedLevelRepaintsAndSavesIt) {
  config.dpiButtonFlag[5] = 1;  // slot 5 reports button code 6
  Press(0xF6, 2);
  WorkOnce();
  EXPECT_EQ(config.DPI_LEVEL, 2);
  EXPECT_EQ(repaint.count, 1);
  EXPECT_EQ(Stored(u"DPI_LEVEL"), "2");
  EXPECT_EQ(Stored(u"FIRE_TIME"), "50");  // only its own key is written

  // The flag of the last download counts, whatever the slot's function is now.
  config.K[5] = 1;
  Press(0xF6, 3);
  WorkOnce();
  EXPECT_EQ(config.DPI_LEVEL, 3);
}

TEST_F(ButtonActions, DpiPressDuringAMacroStopsItAndItsLevelIsTakenAfterwards) {
  config.dpiButtonFlag[5] = 1;
  macros.macros[0] = Macro({{4, 20}}, 1, 50);
  macros.macroCount = 1;
  config.K[3] = 41;
  timer.duringWait = [this](int wait) {
    if (wait == 1) Press(0xF6, 3);
  };
  Press(kSlot3Event);
  WorkOnce();
  EXPECT_EQ(Count("release all"), 1);  // stopped after the repetition it was in
  // The mouse has switched to level 3 meanwhile; the host follows it once free.
  EXPECT_EQ(config.DPI_LEVEL, 3);
  EXPECT_EQ(Stored(u"DPI_LEVEL"), "3");
  EXPECT_FALSE(handover.Pending());  // the press itself is not queued
}

TEST_F(ButtonActions, PressesWhileBusyAreNotQueuedButTheNewestDpiLevelIsKept) {
  config.dpiButtonFlag[5] = 1;
  config.rateButtonFlag[1] = 1;
  config.K[4] = 28;  // button code 5: mute
  std::uint8_t code = 0, level = 0;
  Press(0xF6, 1);
  ASSERT_EQ(handover.WaitForAction(code, level), ButtonActionHandover::Wake::Action);
  worker.CarryOut(code, level);
  // While the worker is still busy with that press:
  Press(0xF6, 2);
  Press(0xF5);      // mute: not carried out later
  Press(0xF6, 3);
  Press(0xF6, 0);   // the newest level the mouse reported
  Press(0xF3);      // rate button: not advanced later
  Release(0xF6);
  worker.FollowMissedLevels(handover.FinishAction());
  EXPECT_EQ(config.DPI_LEVEL, 0);
  EXPECT_EQ(Stored(u"DPI_LEVEL"), "0");
  EXPECT_EQ(config.USB_SPEED, 2);
  EXPECT_EQ(Count("consumer 226"), 0);
  EXPECT_FALSE(handover.Pending());

  // Nothing missed: nothing more is followed or saved.
  Press(0xF6, 2);
  WorkOnce();
  const int repaints = repaint.count;
  Press(0xF5);
  WorkOnce();
  EXPECT_EQ(repaint.count, repaints);
  EXPECT_EQ(config.DPI_LEVEL, 2);
}

TEST_F(ButtonActions, RateButtonAdvancesTheStepAndWraps) {
  config.rateButtonFlag[1] = 1;  // slot 1 reports button code 3
  config.USB_SPEED = 3;
  Press(0xF3);
  WorkOnce();
  EXPECT_EQ(config.USB_SPEED, 0);
  EXPECT_EQ(Stored(u"USB_SPEED"), "0");
  Press(0xF3);
  WorkOnce();
  EXPECT_EQ(config.USB_SPEED, 1);
  EXPECT_EQ(Stored(u"USB_SPEED"), "1");
  EXPECT_EQ(repaint.count, 2);
}

TEST_F(ButtonActions, HostFunctionsByCode) {
  struct Row {
    std::int32_t code;
    Log expected;
  };
  macros.constantMacros[0] = Macro({{6, 20}}, 1, 9);  // a constant macro plays once whatever it says
  macros.constantMacroCount = 8;
  const Row rows[] = {
      {21, {"consumer 547"}},  // AC Home, 0x0223
      {30, {"consumer 402"}},  // AL Calculator, 0x0192
      {39, {"start calc.exe"}},
      {40, {"start cmd.exe"}},
      {31, {"begin", "key 6 down", "wait 20", "key 6 up", "wait 20", "release all", "end"}},
      {0, {}},
      {1, {}},
      {6, {}},
      {17, {}},
      {53, {}},
      {-4, {}},
  };
  for (std::int32_t mode : {0, 1}) {
    config.MACRO_MODE2 = mode;
    for (const Row& row : rows) {
      log.clear();
      config.K[3] = row.code;
      Press(kSlot3Event);
      WorkOnce();
      Release(kSlot3Event);
      EXPECT_EQ(log, row.expected) << "code " << row.code << " mode " << mode;
    }
  }
}

TEST_F(ButtonActions, OnlyTheSlotOfTheReportedButtonActs) {
  // Slot 2 reports button code 2, slot 4 code 5.
  config.K[2] = 21;
  config.K[4] = 22;
  Press(0xF2);
  WorkOnce();
  EXPECT_EQ(log, (Log{"consumer 547"}));
}

}  // namespace
}  // namespace zr
