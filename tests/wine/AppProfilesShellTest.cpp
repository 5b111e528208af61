// The per-program profiles on the real window system: the window events
// reach the follower when another program's window comes to the front, the
// switch downloads that program's configuration, and the Profile spots'
// menu is drawn by the skin's owner-drawn menu.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/ForegroundWatch_win.h"
#include "app/KvxGMouseDlg_win.h"
#include "app/ProfileMenu.h"
#include "platform/Text.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "shared/TestFolder.h"
#include "virtual_mouse/VirtualMouse.h"
#include "wine/ForegroundPrograms.h"
#include "wine/UtilityProcess.h"
#include "wine/WinePaths.h"

namespace zr::test {
namespace {

TEST(ProgramOfWindow, TellsTheUtilitysOwnWindowsFromAnotherProgramsExecutable) {
  HWND own = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(own, nullptr);
  EXPECT_TRUE(ProgramOfWindow(own).ownWindow);
  ::DestroyWindow(own);

  ShownProgram notepad(L"notepad.exe");
  ASSERT_NE(notepad.window, nullptr);
  const ForegroundProgram program = ProgramOfWindow(notepad.window);
  EXPECT_FALSE(program.ownWindow);
  EXPECT_TRUE(EqualsIgnoringCase(ProgramFileName(program.executable), u"notepad.exe"))
      << std::string(program.executable.begin(), program.executable.end());
}

class ProfilesOnVirtualMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(std::filesystem::path(SourceFolder() + L"\\data"), std::filesystem::path(folder.Directory()),
                          std::filesystem::copy_options::recursive);
    state.paths.applicationDirectory = folder.Directory();
    configFile = Wide(folder.Path(u"config.ini"));
    BindOneProgram(configFile, L"NOTEPAD.EXE", 3);
    ::WritePrivateProfileStringW(L"Config3", L"FIRE_TIME", L"296", configFile.c_str());
  }
  void TearDown() override {
    if (dialog.Window() != nullptr) dialog.Exit();
    PumpMessages();
  }
  static std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

  // The fire-time report of a download: command 0x12 with FIRE_TIME / 8.
  bool FireTimeSent(std::int32_t fireTime) {
    for (const auto& report : mouse.TakenReports())
      if (report.size() > 3 && report[1] == 0x12 && ((report[2] << 8) | report[3]) == fireTime / 8) return true;
    return false;
  }

  TestFolder folder;
  std::wstring configFile;
  AppState state;
  Win32ProfileFiles files;
  virtual_mouse::VirtualMouse mouse;
  CKVX_GMouseDlg dialog{::GetModuleHandleW(nullptr), state, files, mouse, u"AppProfilesShellTest"};
};

TEST_F(ProfilesOnVirtualMouse, ABoundProgramInFrontGetsItsConfigurationAndTheWindowGivesItBackToNobody) {
  std::vector<std::pair<std::int32_t, std::u16string>> announced;
  dialog.SetProfileSwitchAnnouncer(
      [&](std::int32_t configuration, std::u16string_view program) { announced.emplace_back(configuration, program); });
  ASSERT_TRUE(dialog.Create());
  ::ShowWindow(dialog.Window(), SW_SHOW);
  ::SetForegroundWindow(dialog.Window());
  PumpMessages();
  ASSERT_EQ(state.currentConfig.load(), 1);
  mouse.ClearLog();

  ShownProgram notepad(L"notepad.exe");
  ASSERT_NE(notepad.window, nullptr);
  // A click into notepad, as a person brings it to the front: notepad's own
  // process activates it and sets its focus, which is the event that counts.
  RECT frame{};
  ::GetWindowRect(notepad.window, &frame);
  ::SetCursorPos((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
  INPUT click[2]{};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, click, sizeof(INPUT));
  ASSERT_TRUE(PumpUntil(5000, [&] { return !announced.empty(); })) << "no switch after notepad came to the front";
  EXPECT_EQ(announced[0].first, 3);
  EXPECT_TRUE(EqualsIgnoringCase(announced[0].second, u"notepad.exe"));
  EXPECT_EQ(state.currentConfig.load(), 3);
  EXPECT_TRUE(FireTimeSent(296)) << "configuration 3 did not reach the mouse";
  std::array<wchar_t, 16> kept{};
  ::GetPrivateProfileStringW(L"AppProfiles", L"Return", L"", kept.data(), 16, configFile.c_str());
  EXPECT_EQ(std::wstring(kept.data()), L"1");

  // The utility's own window over the program leaves the mouse as it is.
  mouse.ClearLog();
  ::SetForegroundWindow(dialog.Window());
  PumpUntil(1000, [] { return false; });
  EXPECT_TRUE(mouse.TakenReports().empty());
  EXPECT_EQ(state.currentConfig.load(), 3);
}

TEST_F(ProfilesOnVirtualMouse, TheProfileMenuIsOwnerDrawn) {
  ASSERT_TRUE(dialog.Create());
  AppBindings bindings;
  bindings.Bind(u"game.exe", 2);
  CKvxMenu menu;
  HMENU popup = ::CreatePopupMenu();
  for (const ProfileMenuItem& item : ProfileMenuItems(bindings, 2, 1))
    ::AppendMenuW(popup, item.command == 0 ? MF_SEPARATOR : MF_STRING, item.command, Wide(item.text).c_str());
  ASSERT_TRUE(menu.Adopt(popup));
  ASSERT_EQ(::GetMenuItemCount(menu.Handle()), 3);
  for (UINT position = 0; position < 3; ++position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
    ASSERT_TRUE(::GetMenuItemInfoW(menu.Handle(), position, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << position;
    ASSERT_NE(info.dwItemData, 0u);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = info.dwItemData;
    EXPECT_TRUE(CKvxMenu::MeasureItem(measure));
    EXPECT_EQ(measure.itemHeight, position == 1 ? 1u : 20u);
  }
}

}  // namespace
}  // namespace zr::test
