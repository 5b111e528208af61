// The message box that the core's notices become: caught as it opens by a
// hook on this thread, read, and closed with its OK button.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <string>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32UserNotices.h"
#include "platform/win32/WideText.h"

namespace zr::test {
namespace {

struct SeenBox {
  int opened = 0;
  std::wstring caption;
  std::wstring text;
  bool hasOk = false;
  bool hasCancel = false;
  HWND owner = nullptr;
};

SeenBox* seen = nullptr;

std::wstring TextOf(HWND window) {
  std::array<wchar_t, 256> buffer{};
  const int length = ::GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
  return std::wstring(buffer.data(), static_cast<std::size_t>(length));
}

LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam) {
  const HWND box = reinterpret_cast<HWND>(wParam);
  std::array<wchar_t, 16> className{};
  ::GetClassNameW(box, className.data(), static_cast<int>(className.size()));
  // Other windows activate too (an owner, the input method's); only dialogs count.
  if (code == HCBT_ACTIVATE && seen != nullptr && std::wstring_view(className.data()) == L"#32770") {
    ++seen->opened;
    seen->caption = TextOf(box);
    seen->text = TextOf(::GetDlgItem(box, 0xFFFF));  // the message's static control
    seen->hasOk = ::GetDlgItem(box, IDOK) != nullptr;
    seen->hasCancel = ::GetDlgItem(box, IDCANCEL) != nullptr;
    seen->owner = ::GetWindow(box, GW_OWNER);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class MessageBoxWatch : public ::testing::Test {
 protected:
  void SetUp() override {
    seen = &box;
    hook.reset(::SetWindowsHookExW(WH_CBT, WatchActivation, nullptr, ::GetCurrentThreadId()));
    ASSERT_TRUE(hook);
  }
  void TearDown() override {
    hook.reset();
    seen = nullptr;
  }
  SeenBox box;
  UniqueHook hook;
};

TEST_F(MessageBoxWatch, ANoticeIsAModalBoxWithItsTextAndOnlyAnOkButton) {
  Win32UserNotices notices;
  notices.ShowMessage(u"找不到配置文件");  // returns only once the box is closed
  EXPECT_EQ(box.opened, 1);
  EXPECT_EQ(box.text, Wide(u"找不到配置文件"));
  EXPECT_EQ(box.caption, L"zr_wine_tests");  // the executable's name, not the system's "Error"
  EXPECT_TRUE(box.hasOk);
  EXPECT_FALSE(box.hasCancel);
  EXPECT_EQ(box.owner, nullptr);
}

TEST_F(MessageBoxWatch, ACaptionAndAnOwnerAreUsedWhenGiven) {
  UniqueWindow owner(::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                       nullptr, nullptr));
  ASSERT_TRUE(owner);
  Win32UserNotices notices(owner.get());
  notices.ShowMessage(u"Overflow!!!", u"ZR305");
  EXPECT_EQ(box.opened, 1);
  EXPECT_EQ(box.text, L"Overflow!!!");
  EXPECT_EQ(box.caption, L"ZR305");
  EXPECT_EQ(box.owner, owner.get());
}

}  // namespace
}  // namespace zr::test
