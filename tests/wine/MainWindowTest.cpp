// The main window created in this process on a copy of the shipped data and
// a virtual mouse: what the mouse hears at start and at the end, the window's
// size, and the mouse's removal ending the utility.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <vector>

#include "app/KvxGMouseDlg_win.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "shared/TestFolder.h"
#include "virtual_mouse/VirtualMouse.h"
#include "virtual_mouse/program/WindowNoticeSender.h"
#include "wine/MessagePump.h"
#include "wine/UtilityProcess.h"
#include "wine/WinePaths.h"

namespace zr::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class MainWindowOnVirtualMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    // As in the virtual build: notices reach the window as WM_DEVICECHANGE.
    mouse.SetNoticeOutlet(notices.Outlet());
    std::filesystem::copy(std::filesystem::path(SourceFolder() + L"\\data"), std::filesystem::path(folder.Directory()),
                          std::filesystem::copy_options::recursive);
    state.paths.applicationDirectory = folder.Directory();
  }
  void TearDown() override {
    if (dialog.Window() != nullptr) dialog.Exit();
    PumpMessages();  // the quit message of the window's end
  }

  TestFolder folder;
  AppState state;
  Win32ProfileFiles files;
  virtual_mouse::VirtualMouse mouse;
  virtual_mouse::WindowNoticeSender notices;
  CKVX_GMouseDlg dialog{::GetModuleHandleW(nullptr), state, files, mouse, u"MainWindowTest"};
};

TEST_F(MainWindowOnVirtualMouse, StartsAtTheMasksSizeWithTheDownloadAndEndsWithTheDriverExitReport) {
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(dialog.Outcome(), StartupOutcome::Running);
  const auto reports = mouse.TakenReports();
  ASSERT_FALSE(reports.empty()) << "no download at start";
  for (const Bytes& report : reports) {
    ASSERT_GE(report.size(), 2u);
    EXPECT_EQ(report[0], 7);
    EXPECT_NE(report[1], 0x20) << "a driver exit during the start";
  }
  EXPECT_FALSE(mouse.State().driverExitSeen);

  RECT rect{};
  ::GetWindowRect(dialog.Window(), &rect);
  EXPECT_EQ(rect.right - rect.left, dialog.WindowWidth());
  EXPECT_EQ(rect.bottom - rect.top, dialog.WindowHeight());
  EXPECT_GT(dialog.WindowWidth(), 100);  // the mask's size, not a fallback of nothing
  HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(::GetWindowRgn(dialog.Window(), shape), ERROR);
  ::DeleteObject(shape);
  EXPECT_NE(dialog.StepContextMenu(), nullptr);
  EXPECT_NE(dialog.TrayMenu(), nullptr);
  EXPECT_NE(dialog.Fonts().Current(1), dialog.Fonts().Current(0));

  mouse.ClearLog();
  dialog.Exit();
  dialog.Exit();
  EXPECT_EQ(dialog.Window(), nullptr);
  const auto atExit = mouse.TakenReports();
  ASSERT_EQ(atExit.size(), 1u) << "exactly one driver-exit report, however often the exit is asked for";
  ASSERT_GE(atExit[0].size(), 4u);
  EXPECT_EQ(Bytes(atExit[0].begin(), atExit[0].begin() + 4), (Bytes{0x07, 0x20, 0x00, 0x00}));
  EXPECT_TRUE(mouse.State().driverExitSeen);
}

TEST_F(MainWindowOnVirtualMouse, UnpluggingTheMouseRunsTheExitProcedureOnce) {
  int shutdowns = 0;
  dialog.TheExitProcedure().AddShutdownStep([&] { ++shutdowns; });
  ASSERT_TRUE(dialog.Create());
  mouse.Unplug();
  // However the notice travels (called at once or as a window message), the window goes.
  EXPECT_TRUE(WaitUntil(5000, [&] {
    PumpMessages();
    return dialog.Window() == nullptr;
  }));
  EXPECT_EQ(shutdowns, 1);
  dialog.Exit();
  EXPECT_EQ(shutdowns, 1);
}

TEST_F(MainWindowOnVirtualMouse, UnpluggingWhileAMacroPlaysEndsTheUtilityOnce) {
  // The left button (slot 0, button code 1) plays the first user macro.
  const std::u16string configFile = folder.Path(u"config.ini");
  ASSERT_TRUE(::WritePrivateProfileStringW(L"Config1", L"K0", L"41", reinterpret_cast<const wchar_t*>(configFile.c_str())));
  // The left click moves to another button; without one the load would give it back to slot 0.
  ASSERT_TRUE(::WritePrivateProfileStringW(L"Config1", L"K1", L"1", reinterpret_cast<const wchar_t*>(configFile.c_str())));
  int shutdowns = 0;
  dialog.TheExitProcedure().AddShutdownStep([&] { ++shutdowns; });
  ASSERT_TRUE(dialog.Create());
  ASSERT_EQ(state.config.K[0], 41);
  mouse.ClearLog();
  mouse.Press(1);
  const auto keysSent = [&] {
    for (const auto& report : mouse.TakenReports())
      if (report.size() > 1 && report[1] == 0x15) return true;
    return false;
  };
  ASSERT_TRUE(WaitUntil(5000, keysSent)) << "the macro did not start";

  mouse.Unplug();
  EXPECT_TRUE(WaitUntil(10000, [&] {
    PumpMessages();
    return dialog.Window() == nullptr;
  }));
  EXPECT_EQ(shutdowns, 1);
}

TEST_F(MainWindowOnVirtualMouse, AnswersEraseAndDragIconAsTheDialogRulesForEachAsk) {
  ASSERT_TRUE(dialog.Create());
  HWND window = dialog.Window();
  // The erase goes through the result slot: a stale 0 there would say "not erased".
  ::SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
  HDC dc = ::GetDC(window);
  EXPECT_NE(::SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
  ::ReleaseDC(window, dc);
  // The drag icon is the procedure's own return value, not the slot's.
  const LRESULT icon = ::SendMessageW(window, WM_GETICON, ICON_BIG, 0);
  ASSERT_NE(icon, 0);
  EXPECT_EQ(::SendMessageW(window, WM_QUERYDRAGICON, 0, 0), icon);
}

// Messages for the window as they come, for a while: clicks from the system's
// input queue turn into their messages only as they are taken.
void PumpFor(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  do {
    PumpMessages();
    ::Sleep(5);
  } while (::GetTickCount() - start < milliseconds);
}

void ClickAtCursor() {
  INPUT clicks[2]{};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, clicks, sizeof(INPUT));
}

TEST_F(MainWindowOnVirtualMouse, SixQuickClicksOnTheFireTimePlusAddSixSteps) {
  ASSERT_TRUE(dialog.Create());
  HWND window = dialog.Window();
  ::SetForegroundWindow(window);
  RECT rect{};
  ::GetWindowRect(window, &rect);
  const auto pointIn = [&](const SkinEntry& spot) {
    return POINT{rect.left + spot.x + spot.width / 2, rect.top + spot.y + spot.height / 2};
  };
  const POINT tab = pointIn(state.skin.main[10]);
  ::SetCursorPos(tab.x, tab.y);
  PumpFor(100);
  ClickAtCursor();
  PumpFor(600);  // longer than a double click: the next click is a first one
  ASSERT_EQ(state.ui.currentPage.load(), Page::Advanced);

  const std::int32_t before = state.config.FIRE_TIME;
  ASSERT_LE(before, 300 - 6);
  const POINT plus = pointIn(state.skin.advanced[31]);
  ::SetCursorPos(plus.x, plus.y);
  PumpFor(100);
  for (int click = 0; click < 6; ++click) {
    ClickAtCursor();
    PumpFor(80);
  }
  PumpFor(200);
  EXPECT_EQ(state.config.FIRE_TIME, before + 6);
}

TEST_F(MainWindowOnVirtualMouse, WithTheMaskMissingTheWindowStillOpensAtItsFallbackSize) {
  std::filesystem::remove(std::filesystem::path(std::u16string(state.paths.MaskImage())));
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(dialog.Outcome(), StartupOutcome::Running);
  EXPECT_GT(dialog.WindowWidth(), 0);
  EXPECT_GT(dialog.WindowHeight(), 0);
  EXPECT_TRUE(::IsWindow(dialog.Window()));
}

}  // namespace
}  // namespace zr::test
