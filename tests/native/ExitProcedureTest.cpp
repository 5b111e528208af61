#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ExitProcedure.h"
#include "app/WindowCommands.h"
#include "shared/RecordingSystemSettings.h"

namespace zr {
namespace {

using Log = std::vector<std::string>;

class RecordingExit final : public ExitActions {
 public:
  void RemoveTrayIcon() override { log.push_back("remove icon"); }
  void StopDeviceThreads() override { log.push_back("stop threads"); }
  void SendDriverExit() override { log.push_back("driver exit"); }
  void DestroyMainWindow() override {
    log.push_back("destroy window");
    if (onDestroy) onDestroy();
  }
  Log log;
  std::function<void()> onDestroy;
};

struct Exit {
  RecordingExit actions;
  test::RecordingSystemSettings system;
  ExitProcedure procedure{actions, system};
};

TEST(ExitProcedure, RemovesTheIconStopsEverythingThenResetsTheMouseAndPointerAndDestroysTheWindow) {
  Exit exit;
  exit.procedure.AddShutdownStep([&] { exit.actions.log.push_back("preview worker"); });
  exit.procedure.AddShutdownStep([&] { exit.actions.log.push_back("keyboard hook"); });
  exit.system.speed = 3;

  EXPECT_TRUE(exit.procedure.Run());
  EXPECT_EQ(exit.actions.log, (Log{"remove icon", "preview worker", "keyboard hook", "stop threads", "driver exit",
                                   "destroy window"}));
  EXPECT_EQ(exit.system.calls, (std::vector<test::RecordingSystemSettings::Call>{{"get speed", 3}, {"set speed", 10}}));
  EXPECT_TRUE(exit.procedure.HasRun());
}

TEST(ExitProcedure, RunsOnceHoweverOftenAndFromWhereverItIsAskedFor) {
  Exit exit;
  int nested = 0;
  // The window's destruction and a shutdown step both ask for the exit again.
  exit.procedure.AddShutdownStep([&] { nested += exit.procedure.Run() ? 1 : 0; });
  exit.actions.onDestroy = [&] { nested += exit.procedure.Run() ? 1 : 0; };

  EXPECT_TRUE(exit.procedure.Run());
  EXPECT_FALSE(exit.procedure.Run());
  EXPECT_EQ(nested, 0);
  EXPECT_EQ(std::count(exit.actions.log.begin(), exit.actions.log.end(), "remove icon"), 1);
  EXPECT_EQ(std::count(exit.actions.log.begin(), exit.actions.log.end(), "destroy window"), 1);
  EXPECT_EQ(exit.system.calls.size(), 2u);
}

TEST(ExitProcedure, PointerSpeedIsSetToTenOnlyAfterASuccessfulQuery) {
  Exit unchanged;
  unchanged.system.speed = 10;
  unchanged.procedure.Run();
  EXPECT_EQ(unchanged.system.calls.back(), (test::RecordingSystemSettings::Call{"set speed", 10}));

  Exit unreadable;
  unreadable.system.speedReadable = false;
  unreadable.procedure.Run();
  EXPECT_EQ(unreadable.system.calls, (std::vector<test::RecordingSystemSettings::Call>{{"get speed", 10}}));
  EXPECT_EQ(unreadable.actions.log.back(), "destroy window");
}

TEST(WindowCommands, TrayNotificationsMenuCommandsAndSystemCommands) {
  EXPECT_EQ(DecideTrayNotification(152, 0x203), TrayAction::OtherIcon);
  EXPECT_EQ(DecideTrayNotification(153, 0x203), TrayAction::ShowWindow);
  EXPECT_EQ(DecideTrayNotification(153, 0x205), TrayAction::ShowMenu);
  EXPECT_EQ(DecideTrayNotification(153, 0x204), TrayAction::Nothing);  // right button down
  EXPECT_EQ(DecideTrayNotification(153, 0x201), TrayAction::Nothing);

  EXPECT_EQ(DecideMenuCommand(32801), MenuCommand::ShowWindow);
  EXPECT_EQ(DecideMenuCommand(32837), MenuCommand::ShowWindow);
  EXPECT_EQ(DecideMenuCommand(32800), MenuCommand::Exit);
  EXPECT_EQ(DecideMenuCommand(32838), MenuCommand::Exit);
  EXPECT_EQ(DecideMenuCommand(32781), MenuCommand::Other);  // a step command is the editor's

  EXPECT_EQ(DecideSystemCommand(0x0010), SystemCommand::About);
  EXPECT_EQ(DecideSystemCommand(0xF020), SystemCommand::Minimise);
  EXPECT_EQ(DecideSystemCommand(0xF022), SystemCommand::Minimise);  // low bits are the system's
  EXPECT_EQ(DecideSystemCommand(0xF060), SystemCommand::Default);   // close goes through WM_CLOSE
}

}  // namespace
}  // namespace zr
