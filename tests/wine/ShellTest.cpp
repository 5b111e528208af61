// The built utility's window commands as a user meets them: no mouse at
// start, closing into the notification area, a second start, the exit
// command. The owner-drawn menus are checked in-process on a real window.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/WindowCommands.h"
#include "platform/win32/Handles.h"
#include "skin/KvxMenu_win.h"
#include "wine/UtilityProcess.h"
#include "wine/WinePaths.h"
#include "resource.h"

namespace zr::test {
namespace {

std::vector<HWND> TopLevelWindowsTitled(const std::wstring& title, DWORD processId) {
  struct Search {
    std::wstring title;
    DWORD processId;
    std::vector<HWND> found;
  } search{title, processId, {}};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        wchar_t text[256] = {};
        ::GetWindowTextW(window, text, 256);
        if (owner == s.processId && s.title == text) s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Whether this process's session has a notification area at all.
bool NotificationAreaAvailable() {
  UniqueWindow probe(::CreateWindowExW(0, L"STATIC", L"probe", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V3_SIZE;
  data.hWnd = probe.get();
  data.uID = 1;
  data.uFlags = NIF_ICON;
  data.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  if (!::Shell_NotifyIconW(NIM_ADD, &data)) return false;
  ::Shell_NotifyIconW(NIM_DELETE, &data);
  return true;
}

// Removes the utility's icon from outside: true only when it was there.
bool RemoveUtilityIcon(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V3_SIZE;
  data.hWnd = window;
  data.uID = kTrayIconId;
  return ::Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}

TEST(ShippedBuildWithoutMouse, ShowsOneMessageCaptionedWithTheExecutableNameAndEndsAfterOk) {
  const std::wstring dist = DistFolder();
  if (dist.empty()) GTEST_SKIP() << "ZR_DIST_DIR names no shippable folder";
  ASSERT_EQ(::FindWindowW(nullptr, kUtilityTitle), nullptr) << "an instance is already running";
  Started started = StartUtility(dist);
  ASSERT_TRUE(started.ok);

  std::vector<HWND> boxes;
  ASSERT_TRUE(WaitUntil(20000, [&] { return !(boxes = TopLevelWindowsTitled(kExecutableName, started.processId)).empty(); }))
      << "no message box";
  ::Sleep(300);  // a second box, if there were one, would be up by now
  boxes = TopLevelWindowsTitled(kExecutableName, started.processId);
  ASSERT_EQ(boxes.size(), 1u);
  wchar_t text[128] = {};
  ::GetDlgItemTextW(boxes[0], 0xFFFF, text, 128);  // the message box's text control
  const std::wstring message = text;
  EXPECT_TRUE(message == L"Please plug-in\u3010ZR305\u3011USB Mouse" || message == L"请插入\u3010ZR305\u3011USB鼠标")
      << "text: " << std::string(message.begin(), message.end());

  HWND main = ::FindWindowW(nullptr, kUtilityTitle);
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(::IsWindowVisible(main));
  EXPECT_FALSE(RemoveUtilityIcon(main)) << "the icon was added without a mouse";

  ::PostMessageW(boxes[0], WM_COMMAND, IDOK, 0);
  EXPECT_EQ(::WaitForSingleObject(started.process.get(), 10000), WAIT_OBJECT_0) << "still running after OK";
  EndUtility(started);
}

class VirtualBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    dist = VirtualDistFolder();
    if (dist.empty()) GTEST_SKIP() << "ZR_DIST_DIR names no shippable folder";
    ASSERT_EQ(::FindWindowW(nullptr, kUtilityTitle), nullptr) << "an instance is already running";
    utility = StartUtility(dist);
    ASSERT_TRUE(utility.ok);
    window = WaitForWindow(nullptr, kUtilityTitle, 20000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil(10000, [&] { return ::IsWindowVisible(window) != FALSE; }));
  }
  void TearDown() override { EndUtility(utility); }

  std::wstring dist;
  Started utility;
  HWND window = nullptr;
};

TEST_F(VirtualBuild, ClosingTwiceHidesTheWindowWithOneIconAndASecondStartShowsIt) {
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil(5000, [&] { return ::IsWindowVisible(window) == FALSE; }));
  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr);  // both closes handled
  EXPECT_EQ(::WaitForSingleObject(utility.process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "closing ended it";

  Started second = StartUtility(dist);
  ASSERT_TRUE(second.ok);
  ASSERT_EQ(::WaitForSingleObject(second.process.get(), 20000), WAIT_OBJECT_0);
  EXPECT_TRUE(WaitUntil(5000, [&] { return ::IsWindowVisible(window) != FALSE && ::IsIconic(window) == FALSE; }));

  if (!NotificationAreaAvailable()) GTEST_SKIP() << "no notification area in this session to count icons in";
  EXPECT_TRUE(RemoveUtilityIcon(window)) << "no icon after closing";
  EXPECT_FALSE(RemoveUtilityIcon(window)) << "more than one icon";
}

// Whether the shell holds the utility's icon, without changing it.
bool UtilityIconPresent(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V3_SIZE;
  data.hWnd = window;
  data.uID = kTrayIconId;
  return ::Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// What the shell that owns the notification area says when it starts again.
void BroadcastShellRestart() {
  ::SendMessageTimeoutW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                        nullptr);
}

TEST_F(VirtualBuild, AnIconTheShellLostComesBackWhenItRestartsAndOnTheNextClose) {
  if (!NotificationAreaAvailable()) GTEST_SKIP() << "no notification area in this session to count icons in";
  ASSERT_TRUE(WaitUntil(5000, [&] { return UtilityIconPresent(window); })) << "no icon after the start";

  // The shell restarts and has forgotten every icon.
  ASSERT_TRUE(RemoveUtilityIcon(window));
  BroadcastShellRestart();
  EXPECT_TRUE(WaitUntil(5000, [&] { return UtilityIconPresent(window); })) << "the icon was not added again";
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil(5000, [&] { return ::IsWindowVisible(window) == FALSE; }));
  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr);
  EXPECT_TRUE(RemoveUtilityIcon(window)) << "no icon after closing";
  EXPECT_FALSE(RemoveUtilityIcon(window)) << "more than one icon";

  // Lost again while hidden, with no broadcast: the next close brings it back.
  // Sent, not posted: a sent message would overtake a posted close.
  ::SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_BLOCK, 5000, nullptr);
  EXPECT_TRUE(UtilityIconPresent(window)) << "a close did not add the icon the shell had lost";
}

// What the user profile holds; a process's own reads may be cached.
std::wstring StoredMouseSpeed() {
  wchar_t value[32] = {};
  DWORD size = sizeof(value);
  ::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Mouse", L"MouseSensitivity", RRF_RT_REG_SZ, nullptr, value,
                 &size);
  return value;
}

TEST_F(VirtualBuild, TheExitCommandEndsTheUtilityAndSetsThePointerSpeedToTen) {
  // The start-up download set the speed of the shipped configuration.
  ASSERT_NE(StoredMouseSpeed(), L"10");
  ::PostMessageW(window, WM_COMMAND, kCommandExitDriver, 0);
  ::PostMessageW(window, WM_COMMAND, kCommandExitDriverChinese, 0);  // a second exit changes nothing
  // Without a virtual desktop, Wine's X11 driver waits up to 2 s each for the
  // icon's and the window's withdrawal; inside one the exit takes milliseconds.
  EXPECT_EQ(::WaitForSingleObject(utility.process.get(), 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  ::GetExitCodeProcess(utility.process.get(), &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(StoredMouseSpeed(), L"10");
}

TEST_F(VirtualBuild, ANotificationForAnotherIconIsAnsweredWithOneAndChangesNothing) {
  DWORD_PTR result = 0;
  ASSERT_TRUE(::SendMessageTimeoutW(window, kTrayCallbackMessage, kTrayIconId + 1, WM_LBUTTONDBLCLK, SMTO_BLOCK, 5000,
                                    &result));
  EXPECT_EQ(result, 1u);
  ::ShowWindow(window, SW_HIDE);
  ASSERT_TRUE(::SendMessageTimeoutW(window, kTrayCallbackMessage, kTrayIconId + 1, WM_LBUTTONDBLCLK, SMTO_BLOCK, 5000,
                                    &result));
  EXPECT_FALSE(::IsWindowVisible(window));
  ASSERT_TRUE(::SendMessageTimeoutW(window, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK, SMTO_BLOCK, 5000,
                                    &result));
  EXPECT_EQ(result, 0u);
  EXPECT_TRUE(::IsWindowVisible(window));
}

// The menus converted on a real menu: every item owner-drawn, texts and
// commands kept, sub-menus still attached.
TEST(KvxMenu, ConvertsEveryItemOfTheStepMenuKeepingCommandsAndSubMenus) {
  CKvxMenu menu;
  ASSERT_TRUE(menu.Load(::GetModuleHandleW(nullptr), IDR_STEP_MENU_EN));
  HMENU tracked = menu.SubMenu(0);
  ASSERT_NE(tracked, nullptr);
  ASSERT_EQ(::GetMenuItemCount(tracked), 4);
  HMENU forward = ::GetSubMenu(tracked, 0);
  ASSERT_NE(forward, nullptr);
  HMENU left = ::GetSubMenu(forward, 0);
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(::GetMenuItemID(left, 0), static_cast<UINT>(ID_STEP_BEFORE_LEFT_DOWN));
  EXPECT_EQ(::GetMenuItemID(tracked, 3), static_cast<UINT>(ID_STEP_DELETE));

  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_DATA;
  ASSERT_TRUE(::GetMenuItemInfoW(left, 0, TRUE, &info));
  EXPECT_NE(info.fType & MFT_OWNERDRAW, 0u);
  ASSERT_NE(info.dwItemData, 0u);
  const auto& down = *reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
  EXPECT_EQ(down.text, u"Down ");  // trailing space as the resource has it
  EXPECT_EQ(down.commandId, ID_STEP_BEFORE_LEFT_DOWN);

  ASSERT_TRUE(::GetMenuItemInfoW(tracked, 3, TRUE, &info));
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemData = info.dwItemData;
  ASSERT_TRUE(CKvxMenu::MeasureItem(measure));
  EXPECT_EQ(measure.itemWidth, 48u);
  EXPECT_EQ(measure.itemHeight, 20u);

  ASSERT_TRUE(::GetMenuItemInfoW(tracked, 0, TRUE, &info));
  EXPECT_EQ(reinterpret_cast<const MenuItemRecord*>(info.dwItemData)->commandId, kSubMenuCommand);
}

TEST(KvxMenu, DrawsASelectedItemWithTheGradientAndAPlainOneInTeal) {
  CKvxMenu menu;
  ASSERT_TRUE(menu.Load(::GetModuleHandleW(nullptr), IDR_TRAY_MENU_EN));
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_DATA;
  ASSERT_TRUE(::GetMenuItemInfoW(menu.SubMenu(0), 1, TRUE, &info));

  HDC screen = ::GetDC(nullptr);
  UniqueMemoryDc dc(::CreateCompatibleDC(screen));
  UniqueBitmap bitmap(::CreateCompatibleBitmap(screen, 100, 40));
  ::ReleaseDC(nullptr, screen);
  SelectedObject selected(dc.get(), bitmap.get());

  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_MENU;
  draw.hDC = dc.get();
  draw.itemData = info.dwItemData;
  draw.rcItem = {0, 0, 100, 20};
  draw.itemState = ODS_SELECTED;
  ASSERT_TRUE(CKvxMenu::DrawItem(draw));
  draw.rcItem = {0, 20, 100, 40};
  draw.itemState = 0;
  ASSERT_TRUE(CKvxMenu::DrawItem(draw));

  // Right of the text, so only the background shows.
  EXPECT_EQ(::GetPixel(dc.get(), 98, 1), RGB(0, 0, 255));     // first gradient row
  EXPECT_EQ(::GetPixel(dc.get(), 98, 10), RGB(0, 126, 255));  // row 9: 9 x 14
  EXPECT_EQ(::GetPixel(dc.get(), 98, 30), RGB(0, 120, 153));
}

}  // namespace
}  // namespace zr::test
