// The button-function pop-ups and the warning as real windows with the
// shipped skin images, answering clicks sent to them as the window system
// would deliver them.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "skin/PopupMenus.h"
#include "skin/PopupMenus_win.h"
#include "skin/SkinImageFiles.h"
#include "skin/WorkArea_win.h"
#include "platform/win32/WideText.h"
#include "wine/WinePaths.h"

namespace zr::test {
namespace {

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class PopupWindows : public ::testing::Test {
 protected:
  PopupWindows() {
    owner_ = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 100, 100, 400, 300, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    for (int s = 0; s < kButtonSlots; ++s) config_.K[s] = std::array{1, 3, 2, 4, 5, 6}[s];
    for (int key = 1; key <= 40; ++key) skin_.functionNames.Set(key, u"F" + std::u16string(1, char16_t(u'A' + key % 26)));
    skin_.warning[0] = SkinEntry{96, 122, 116, 34, u"OK"};
    skin_.warning[1] = SkinEntry{228, 122, 116, 34, u"Cancel"};
    macros_.macroCount = 3;
    ui_.popupTargetEntry = 27;  // button 2
    ui_.popupSpot = ScreenArea{120, 110, 330, 140};
  }
  ~PopupWindows() override {
    popups_.CloseMenu();
    ::DestroyWindow(owner_);
  }

  void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }
  // Hover, press and release over a point of a window, as a click does.
  void Click(HWND window, int x, int y) {
    ::SendMessageW(window, WM_MOUSEMOVE, 0, At(x, y));
    ::UpdateWindow(window);
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
    ::SendMessageW(window, WM_LBUTTONUP, 0, At(x, y));
    Pump();
  }
  int ItemHeight() const { return ui_.menus.menuItemHeight; }

  HWND owner_ = nullptr;
  ConfigRecord config_;
  SkinLayouts skin_;
  MacroTables macros_;
  UiState ui_;
  std::uint8_t language_ = 1;
  HFONT font_ = nullptr;
  int finished_ = 0;
  PopupMenus popups_{PopupContext{::GetModuleHandleW(nullptr), [] { return FromWide(SourceFolder() + L"\\data\\skins"); }, config_,
                                  skin_, macros_, ui_, language_, {}, [this] {
                                    ++finished_;
                                    popups_.CloseMenu();
                                  }, [this] { return font_; }}};
};

TEST_F(PopupWindows, MenuItemChoosesAFunctionAndCloses) {
  ASSERT_TRUE(popups_.OpenMenu(owner_));
  HWND menu = ::FindWindowW(nullptr, Wide(kMenuWindowTitle).c_str());
  ASSERT_EQ(menu, popups_.MenuWindow());
  ASSERT_GT(ItemHeight(), 0) << "the menu mask gives the item height";
  RECT rect{};
  ::GetWindowRect(menu, &rect);
  EXPECT_EQ(rect.left, 120);
  EXPECT_EQ(rect.top, 140);

  Click(menu, 10, 7 * ItemHeight() + ItemHeight() / 2);  // item 8 opens a group only
  EXPECT_TRUE(::IsWindow(menu));
  EXPECT_EQ(config_.K[2], 2);

  Click(menu, 10, 4 * ItemHeight() + 1);  // item 5
  EXPECT_FALSE(::IsWindow(menu));
  EXPECT_EQ(config_.K[2], 5);
}

TEST_F(PopupWindows, SubMenuChoiceStoresItsCodeAndClosesBothMenus) {
  ASSERT_TRUE(popups_.OpenMenu(owner_));
  HWND menu = popups_.MenuWindow();
  ::SendMessageW(menu, WM_MOUSEMOVE, 0, At(10, 9 * ItemHeight() + 2));  // item 10: the constant macros
  HWND subMenu = popups_.SubMenuWindow();
  ASSERT_NE(subMenu, nullptr);
  EXPECT_EQ(ui_.menus.subMenuCount, 8);
  RECT menuRect{}, subRect{};
  ::GetWindowRect(menu, &menuRect);
  ::GetWindowRect(subMenu, &subRect);
  EXPECT_EQ(subRect.left, menuRect.left + ui_.menus.menuItemWidth);
  EXPECT_EQ(subRect.top, menuRect.top + 2 * ItemHeight());

  const int h = ui_.menus.subMenuItemHeight;
  ASSERT_GT(h, 0);
  Click(subMenu, 10, 3 * h + h / 2);  // item 4
  EXPECT_EQ(config_.K[2], 34);
  EXPECT_EQ(finished_, 1);
  EXPECT_FALSE(::IsWindow(menu));
  EXPECT_FALSE(::IsWindow(subMenu));
  EXPECT_EQ(::FindWindowW(nullptr, Wide(kMenuWindowTitle).c_str()), nullptr);
}

TEST_F(PopupWindows, TheSubMenuFollowsTheCursorAndNotThePaints) {
  ASSERT_TRUE(popups_.OpenMenu(owner_));
  HWND menu = popups_.MenuWindow();
  ::SendMessageW(menu, WM_MOUSEMOVE, 0, At(10, 6 * ItemHeight() + 2));  // item 7
  HWND subMenu = popups_.SubMenuWindow();
  ASSERT_TRUE(::IsWindow(subMenu)) << "the move itself opens the group";
  ::RedrawWindow(menu, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ::SendMessageW(menu, WM_MOUSEMOVE, 0, At(20, 6 * ItemHeight() + 4));  // the same item
  Pump();
  EXPECT_EQ(popups_.SubMenuWindow(), subMenu) << "a repaint or a move within the item keeps the sub-menu";
  EXPECT_TRUE(::IsWindow(subMenu));

  ::SendMessageW(menu, WM_MOUSEMOVE, 0, At(10, 2));  // item 1, a function
  EXPECT_FALSE(::IsWindow(subMenu));
  EXPECT_FALSE(ui_.menus.subMenuOpen);
}

TEST_F(PopupWindows, MacroGroupHasOneItemPerMacro) {
  ASSERT_TRUE(popups_.OpenMenu(owner_));
  HWND menu = popups_.MenuWindow();
  ::SendMessageW(menu, WM_MOUSEMOVE, 0, At(10, 8 * ItemHeight() + 2));  // item 9
  ASSERT_NE(popups_.SubMenuWindow(), nullptr);
  EXPECT_EQ(ui_.menus.subMenuCount, 3);
  RECT menuRect{}, subRect{};
  ::GetWindowRect(menu, &menuRect);
  ::GetWindowRect(popups_.SubMenuWindow(), &subRect);
  EXPECT_EQ(subRect.top, menuRect.top + 6 * ItemHeight());
}

TEST_F(PopupWindows, NearTheBottomAndTheRightOfTheWorkAreaMenusOpenAboveAndToTheLeft) {
  const ScreenArea work = MonitorWorkArea(owner_);
  // A button 30 pixels above the work area's bottom, near its right edge.
  ui_.popupSpot = ScreenArea{work.right - 300, work.bottom - 60, work.right - 90, work.bottom - 30};
  ASSERT_TRUE(popups_.OpenMenu(owner_));
  HWND menu = popups_.MenuWindow();
  RECT rect{};
  ::GetWindowRect(menu, &rect);
  const int shownHeight = kMenuStrips * ItemHeight() + 1;
  EXPECT_EQ(rect.top + shownHeight, work.bottom - 60) << "the menu's bottom sits on the button's top";
  EXPECT_EQ(rect.left, work.right - 300);

  ::SendMessageW(menu, WM_MOUSEMOVE, 0, At(10, 6 * ItemHeight() + 2));  // item 7: six advanced functions
  ASSERT_NE(popups_.SubMenuWindow(), nullptr);
  RECT sub{};
  ::GetWindowRect(popups_.SubMenuWindow(), &sub);
  EXPECT_EQ(sub.left, rect.left - ui_.menus.subMenuItemWidth) << "no room on the right: the sub-menu opens on the left";
  EXPECT_EQ(sub.top, rect.top + ItemHeight()) << "level with its item";
}

TEST_F(PopupWindows, ADoubleClickOnAMenuIsAPressFollowedByItsRelease) {
  ASSERT_TRUE(popups_.OpenMenu(owner_));
  HWND menu = popups_.MenuWindow();
  const LPARAM item4 = At(10, 3 * ItemHeight() + 2);
  ::SendMessageW(menu, WM_MOUSEMOVE, 0, item4);
  ::SendMessageW(menu, WM_LBUTTONDBLCLK, MK_LBUTTON, item4);
  EXPECT_TRUE(ui_.menus.menuButtonHeld) << "the item is drawn pressed, as on any press";
  ::SendMessageW(menu, WM_LBUTTONUP, 0, item4);
  EXPECT_EQ(config_.K[2], 4);
  EXPECT_FALSE(::IsWindow(menu));
}

// Rows of a strip of the window on the screen that hold text-coloured pixels.
int TextRows(HWND window, int top, int width, int height) {
  HDC dc = ::GetDC(window);
  int rows = 0;
  for (int y = top; y < top + height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = ::GetPixel(dc, x, y);
      if (GetRValue(c) > 220 && GetGValue(c) > 220 && GetBValue(c) > 220) {
        ++rows;
        break;
      }
    }
  }
  ::ReleaseDC(window, dc);
  return rows;
}

TEST_F(PopupWindows, TextsAreInTheMainWindowsFont) {
  // A small and a large face as the main window's font: the menu's first
  // item grows with it, so it is drawn in that font and not one of its own.
  UniqueFont small(::CreateFontW(8, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma"));
  UniqueFont large(::CreateFontW(26, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma"));
  skin_.functionNames.Set(1, u"HIGH Jg");
  int rows[2] = {};
  for (int i = 0; i < 2; ++i) {
    font_ = i == 0 ? small.get() : large.get();
    ASSERT_TRUE(popups_.OpenMenu(owner_));
    HWND menu = popups_.MenuWindow();
    ::RedrawWindow(menu, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    rows[i] = TextRows(menu, 0, ui_.menus.menuItemWidth, ItemHeight());
    popups_.CloseMenu();
  }
  EXPECT_GT(rows[0], 0) << "no text in the first item";
  EXPECT_GE(rows[1], rows[0] + 8) << "the text did not grow with the window's font";
}

// The warning runs modally; a helper thread answers it the way the cursor would.
INT_PTR AnswerWarning(PopupMenus& popups, HWND owner, int x, int y) {
  std::atomic<bool> answered{false};
  std::thread answerer([&] {
    for (int waited = 0; waited < 5000 && !answered; waited += 20) {
      HWND warning = nullptr;
      ::EnumThreadWindows(::GetWindowThreadProcessId(owner, nullptr), [](HWND w, LPARAM found) -> BOOL {
        wchar_t name[16]{};
        ::GetClassNameW(w, name, 16);
        if (std::wstring(name) == L"#32770") {
          *reinterpret_cast<HWND*>(found) = w;
          return FALSE;
        }
        return TRUE;
      }, reinterpret_cast<LPARAM>(&warning));
      if (warning != nullptr) {
        ::PostMessageW(warning, WM_MOUSEMOVE, 0, At(x, y));
        ::PostMessageW(warning, WM_LBUTTONUP, 0, At(x, y));
        answered = true;
        return;
      }
      ::Sleep(20);
    }
  });
  const INT_PTR result = popups.AskWarning(owner);
  answered = true;  // the dialog could not run: stop looking
  answerer.join();
  return result;
}

TEST_F(PopupWindows, WarningAnswersOkAndCancelByItsSpots) {
  EXPECT_EQ(AnswerWarning(popups_, owner_, 100, 130), kWarningOk);
  EXPECT_EQ(AnswerWarning(popups_, owner_, 300, 150), kWarningCancel);
  EXPECT_GT(ui_.menus.warningWidth, 0);
}

}  // namespace
}  // namespace zr::test
