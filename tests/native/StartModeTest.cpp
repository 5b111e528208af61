// The command line the logon start and the installer use, and what the
// process does with it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppStartup.h"
#include "app/CommandLine.h"
#include "app/WindowCommands.h"

namespace zr {
namespace {

TEST(ParseCommandLine, SwitchesAnyCaseEitherPrefixQuotedOrNot) {
  struct Row {
    std::u16string_view arguments;
    StartMode mode;
  };
  const Row rows[] = {
      {u"", StartMode::Window},
      {u"   ", StartMode::Window},
      {u"/tray", StartMode::Tray},
      {u"  -TRAY  ", StartMode::Tray},
      {u"\"/Tray\"", StartMode::Tray},
      {u"/exit", StartMode::EndRunning},
      {u"/tray /exit", StartMode::EndRunning},  // the installer's intent wins
      {u"/exit /tray", StartMode::EndRunning},
      {u"\t/tray\t", StartMode::Tray},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ParseCommandLine(row.arguments), row.mode) << std::string(row.arguments.begin(), row.arguments.end());
}

TEST(ParseCommandLine, AnythingElseIsAnOrdinaryStart) {
  // A start that is neither switch behaves exactly as a start without arguments.
  for (std::u16string_view arguments :
       {u"tray", u"/trays", u"/tra", u"//tray", u"/ tray", u"C:\\some file.ini", u"/", u"-", u"\"/tray x\"",
        u"/exit2", u"exit"})
    EXPECT_EQ(ParseCommandLine(arguments), StartMode::Window) << std::string(arguments.begin(), arguments.end());
}

class ScriptedProcess final : public ProcessServices {
 public:
  ScriptedProcess(bool anotherInstance, EndRequest endResult) : another_(anotherInstance), endResult_(endResult) {}
  bool AcquireInstanceMutex(std::u16string_view) override {
    calls.push_back("mutex");
    return another_;
  }
  void ReleaseInstanceMutex() override { calls.push_back("release"); }
  void RestoreWindowByTitle(std::u16string_view) override { calls.push_back("restore"); }
  void InitCommonControls() override { calls.push_back("controls"); }
  void RunMainDialog(MainWindowStart start) override {
    calls.push_back(start == MainWindowStart::InTray ? "dialog in tray" : "dialog shown");
  }
  EndRequest EndWindowByCommand(std::u16string_view title, std::uint32_t command) override {
    calls.push_back("end");
    endTitle = std::u16string(title);
    endCommand = command;
    return endResult_;
  }
  std::vector<std::string> calls;
  std::u16string endTitle;
  std::uint32_t endCommand = 0;

 private:
  bool another_;
  EndRequest endResult_;
};

using Calls = std::vector<std::string>;

TEST(RunProcess, TrayStartRunsTheWholeStartHiddenAndASecondTrayStartOnlyRestores) {
  ScriptedProcess first(false, EndRequest::Ended);
  EXPECT_EQ(RunProcess(first, u"/tray"), 0);
  EXPECT_EQ(first.calls, (Calls{"mutex", "controls", "dialog in tray"}));

  ScriptedProcess plain(false, EndRequest::Ended);
  EXPECT_EQ(RunProcess(plain, u""), 0);
  EXPECT_EQ(plain.calls, (Calls{"mutex", "controls", "dialog shown"}));

  // Any second start, the logon one included, only brings the first forward.
  ScriptedProcess second(true, EndRequest::Ended);
  EXPECT_EQ(RunProcess(second, u"/tray"), 0);
  EXPECT_EQ(second.calls, (Calls{"mutex", "restore", "release"}));
}

TEST(RunProcess, ExitEndsARunningInstanceThroughItsExitCommandAndNeverOpensAWindow) {
  ScriptedProcess running(true, EndRequest::Ended);
  EXPECT_EQ(RunProcess(running, u"/exit"), kExitEndedRunning);
  EXPECT_EQ(running.calls, (Calls{"mutex", "end", "release"}));
  EXPECT_EQ(running.endTitle, u"ZR305 Gaming Mouse Driver");
  EXPECT_EQ(running.endCommand, kCommandExitDriver);  // what "Exit Driver" in the tray menu sends

  ScriptedProcess none(false, EndRequest::Ended);
  EXPECT_EQ(RunProcess(none, u"/exit"), kExitNothingRunning);
  EXPECT_EQ(none.calls, (Calls{"mutex", "release"}));

  // The installer must not replace files a live process still holds.
  for (EndRequest failure : {EndRequest::StillRunning, EndRequest::NoWindow}) {
    ScriptedProcess stuck(true, failure);
    EXPECT_EQ(RunProcess(stuck, u"/exit"), kExitStillRunning);
    EXPECT_EQ(stuck.calls, (Calls{"mutex", "end", "release"}));
  }
}

}  // namespace
}  // namespace zr
