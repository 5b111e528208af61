// The on-screen indicator on the window system: it never takes the focus from
// the program in front, sits on the pointer's monitor, is updated in place,
// goes by itself and leaves no timer behind; and in the main window, a press
// of the mouse's DPI button reaches it through the worker's posted news
// whether the window is shown or not, unless the tray item turned it off.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "app/KvxGMouseDlg_win.h"
#include "app/WindowCommands.h"
#include "config/IndicatorSetting.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "shared/TestFolder.h"
#include "skin/IndicatorWindow_win.h"
#include "virtual_mouse/VirtualMouse.h"
#include "wine/MessagePump.h"
#include "wine/WinePaths.h"

namespace zr::test {
namespace {

constexpr std::uint8_t kDpiButtonCode = 6;  // button slot 5 cycles the levels

std::wstring TextOf(HWND window) {
  wchar_t text[128] = {};
  ::GetWindowTextW(window, text, 128);
  return text;
}

// A program in front that takes the keyboard, as a game does.
class FocusTaker {
 public:
  FocusTaker() {
    window_.reset(::CreateWindowExW(0, L"STATIC", L"game", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                                    nullptr, nullptr, nullptr));
    edit_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24, window_.get(), nullptr, nullptr,
                              nullptr);
    ::SetForegroundWindow(window_.get());
    ::SetFocus(edit_);
    PumpMessages();
  }
  HWND Window() const { return window_.get(); }
  HWND Edit() const { return edit_; }

 private:
  UniqueWindow window_;
  HWND edit_ = nullptr;
};

IndicatorContent DpiContent(std::int32_t level) {
  ConfigRecord config;
  config.DPI_SET = {3, 5, 6, 8};
  config.DPI_SET_EN = {1, 1, 1, 1};
  return *DpiLevelIndicator(config, level, 1);
}

TEST(IndicatorWindowOnTheDesktop, ShowsWithoutTakingTheFocusUpdatesInPlaceAndGoesWithItsTimer) {
  FocusTaker game;
  ASSERT_EQ(::GetForegroundWindow(), game.Window());
  ASSERT_EQ(::GetFocus(), game.Edit());

  IndicatorWindow indicator(::GetModuleHandleW(nullptr));
  indicator.Show(DpiContent(1), 1);
  PumpMessages();
  HWND window = indicator.Handle();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_EQ(TextOf(window), L"DPI LEVEL 2: 1200 DPI");
  EXPECT_EQ(::GetForegroundWindow(), game.Window());
  EXPECT_EQ(::GetFocus(), game.Edit());
  const LONG_PTR styles = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
  for (LONG_PTR style : {LONG_PTR{WS_EX_LAYERED}, LONG_PTR{WS_EX_TRANSPARENT}, LONG_PTR{WS_EX_TOOLWINDOW},
                         LONG_PTR{WS_EX_NOACTIVATE}, LONG_PTR{WS_EX_TOPMOST}})
    EXPECT_EQ(styles & style, style) << std::hex << style;
  // A click on it goes to the window beneath.
  EXPECT_EQ(::SendMessageW(window, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  EXPECT_EQ(::SendMessageW(window, WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);

  // On the work area of the monitor under the pointer, at its bottom centre.
  POINT pointer{};
  ::GetCursorPos(&pointer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor));
  RECT placed{};
  ::GetWindowRect(window, &placed);
  const PixelRect expected = PlaceIndicator(
      {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom}, kIndicatorWidth,
      kIndicatorHeight);
  EXPECT_EQ((PixelRect{placed.left, placed.top, placed.right, placed.bottom}), expected);

  // A new switch while it is up: the same window, the new text.
  indicator.Show(DpiContent(3), 1);
  PumpMessages();
  EXPECT_EQ(indicator.Handle(), window);
  EXPECT_EQ(TextOf(window), L"DPI LEVEL 4: 2400 DPI");
  EXPECT_EQ(::GetForegroundWindow(), game.Window());

  ASSERT_TRUE(PumpUntil(5000, [&] { return !indicator.Shown(); })) << "the indicator did not go by itself";
  EXPECT_FALSE(::IsWindowVisible(window));
  EXPECT_FALSE(::KillTimer(window, 1)) << "a timer still runs while the indicator is hidden";
  EXPECT_EQ(::GetFocus(), game.Edit());
}

class IndicatorInTheMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(std::filesystem::path(SourceFolder() + L"\\data"), std::filesystem::path(folder.Directory()),
                          std::filesystem::copy_options::recursive);
    state.paths.applicationDirectory = folder.Directory();
  }
  void TearDown() override {
    if (dialog.Window() != nullptr) dialog.Exit();
    PumpMessages();
  }
  bool PressDpiAndWaitForTheIndicator(DWORD timeoutMs) {
    mouse.Press(kDpiButtonCode);
    mouse.Release(kDpiButtonCode);
    return PumpUntil(timeoutMs, [&] { return dialog.Indicator().Shown(); });
  }

  TestFolder folder;
  AppState state;
  Win32ProfileFiles files;
  virtual_mouse::VirtualMouse mouse;
  CKVX_GMouseDlg dialog{::GetModuleHandleW(nullptr), state, files, mouse, u"IndicatorTest"};
};

TEST_F(IndicatorInTheMainWindow, ADpiPressShowsItWhileTheWindowIsHiddenUntilTheTrayItemTurnsItOff) {
  ASSERT_TRUE(dialog.Create());
  ASSERT_TRUE(dialog.IndicatorEnabled());  // the shipped config.ini has no OSD key
  dialog.HideToTray();
  ASSERT_FALSE(::IsWindowVisible(dialog.Window()));

  ASSERT_TRUE(PressDpiAndWaitForTheIndicator(5000));
  const int level = mouse.State().currentLevel;
  EXPECT_EQ(state.config.DPI_LEVEL, level);
  const std::wstring caption = TextOf(dialog.Indicator().Handle());
  EXPECT_EQ(caption.rfind(L"DPI LEVEL " + std::to_wstring(level + 1) + L": ", 0), 0u) << caption;
  EXPECT_FALSE(::IsWindowVisible(dialog.Window())) << "the indicator brought the hidden window back";

  // The profile switch's announcement, as the interface thread makes it.
  dialog.AnnounceProfileSwitch(3, u"C:\\Games\\game.exe");
  EXPECT_EQ(TextOf(dialog.Indicator().Handle()), L"PROFILE 3: game.exe");

  // Unchecked in the tray menu: hidden at once, stored, and silent from then on.
  ::SendMessageW(dialog.Window(), WM_COMMAND, kCommandIndicator, 0);
  EXPECT_FALSE(dialog.IndicatorEnabled());
  EXPECT_FALSE(dialog.Indicator().Shown());
  EXPECT_FALSE(ReadIndicatorEnabled(files, state.paths.ConfigFile()));
  EXPECT_FALSE(PressDpiAndWaitForTheIndicator(800));
  dialog.AnnounceProfileSwitch(2, u"game.exe");
  EXPECT_FALSE(dialog.Indicator().Shown());

  ::SendMessageW(dialog.Window(), WM_COMMAND, kCommandIndicatorChinese, 0);
  EXPECT_TRUE(dialog.IndicatorEnabled());
  EXPECT_TRUE(ReadIndicatorEnabled(files, state.paths.ConfigFile()));
}

}  // namespace
}  // namespace zr::test
