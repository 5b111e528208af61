// The main window's click executor on a real window: the advanced page's
// child windows come and go with the page, and the repeat-count edit shows
// the value that was stored.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <limits>

#include "app/MainWindowInput_win.h"
#include "macros/MacroEditor.h"
#include "platform/win32/WideText.h"
#include "shared/MemoryProfileFiles.h"
#include "shared/RecordingNotices.h"

namespace zr::test {
namespace {

class EverythingExists final : public FileQueries {
 public:
  bool Exists(std::u16string_view) override { return true; }
};

class CountingHooks final : public MainWindowInputHooks {
 public:
  void AdvancedPageOpened() override { ++opened; }
  void CommitRepeatCount() override { ++repeatCommits; }
  int opened = 0;
  int repeatCommits = 0;
};

class ClickExecutor : public ::testing::Test {
 protected:
  ClickExecutor() {
    state_.paths.applicationDirectory = u"C:\\app";
    state_.skin.main[9] = SkinEntry{0, 0, 20, 20, u""};
    state_.skin.main[10] = SkinEntry{20, 0, 20, 20, u""};
    state_.skin.advanced[5] = SkinEntry{40, 0, 20, 20, u""};
    state_.skin.controls = {{10, 100, 90, 120}, {100, 100, 200, 120}, {10, 140, 150, 300}, {160, 140, 400, 300}};
    state_.macros.currentMacro = 1;
    window_ = ::CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 500, 400, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    input_.Attach(window_);
  }
  ~ClickExecutor() override { ::DestroyWindow(window_); }

  void Click(int x, int y) {
    input_.OnMouseMove(0, MAKELPARAM(x, y));
    input_.OnLButtonDown(MK_LBUTTON, MAKELPARAM(x, y));
    input_.OnLButtonUp(0, MAKELPARAM(x, y));
  }
  RECT ClientRectOf(HWND child) {
    RECT rect{};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  AppState state_;
  MemoryProfileFiles profiles_;
  EverythingExists files_;
  RecordingNotices notices_;
  CountingHooks hooks_;
  MainWindowInput input_{::GetModuleHandleW(nullptr), state_, state_.skin,
                         MainWindowInputServices{profiles_, files_, notices_}, hooks_};
  HWND window_ = nullptr;
};

TEST_F(ClickExecutor, AdvancedPageChildrenLiveExactlyWhileThePageShows) {
  Click(25, 5);
  ASSERT_EQ(state_.ui.currentPage, Page::Advanced);
  EXPECT_EQ(hooks_.opened, 1);
  struct Child {
    int id;
    PixelRect rect;
    LONG_PTR style;
  };
  const PixelRect& repeat = state_.skin.controls.repeatCountEdit;
  const std::array<Child, 4> children = {{
      {editor_control::kRepeatCountEdit, repeat, ES_CENTER},
      {editor_control::kMacroNameEdit, state_.skin.controls.macroNameEdit, ES_CENTER},
      // An empty list hides its scroll bar, and its style says so.
      {editor_control::kMacroList, state_.skin.controls.macroList, LBS_NOTIFY},
      {editor_control::kStepList, state_.skin.controls.stepList, LBS_NOTIFY},
  }};
  for (const Child& child : children) {
    SCOPED_TRACE(child.id);
    HWND control = ::GetDlgItem(window_, child.id);
    ASSERT_NE(control, nullptr);
    const RECT rect = ClientRectOf(control);
    EXPECT_EQ(rect.left, child.rect.left);
    EXPECT_EQ(rect.top, child.rect.top);
    EXPECT_EQ(rect.right, child.rect.right);
    EXPECT_EQ(rect.bottom, child.rect.bottom);
    const LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
    EXPECT_EQ(style & child.style, child.style);
    EXPECT_TRUE(style & WS_VISIBLE);
  }

  Click(5, 5);  // back to the main page
  EXPECT_EQ(state_.ui.currentPage, Page::Main);
  for (const Child& child : children) EXPECT_EQ(::GetDlgItem(window_, child.id), nullptr) << child.id;
}

TEST_F(ClickExecutor, ControlsFromHugeFileRectanglesStayInsideTheWindow) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  state_.skin.controls.stepList = SpotRect(160, 140, kMax, kMax);
  state_.skin.controls.macroList = SpotRect(-kMax, 140, kMax, 100);
  Click(25, 5);
  ASSERT_EQ(state_.ui.currentPage, Page::Advanced);
  RECT client{};
  ::GetClientRect(window_, &client);
  for (const int id : {editor_control::kStepList, editor_control::kMacroList}) {
    SCOPED_TRACE(id);
    HWND control = ::GetDlgItem(window_, id);
    ASSERT_NE(control, nullptr);
    const RECT rect = ClientRectOf(control);
    EXPECT_GE(rect.left, 0);
    EXPECT_LE(rect.right, client.right);
    EXPECT_LE(rect.bottom, client.bottom);
  }
  EXPECT_EQ(ClientRectOf(::GetDlgItem(window_, editor_control::kStepList)).top, 140) << "clipped, not moved";
}

TEST_F(ClickExecutor, TheRepeatCountButtonHandsTheEditToTheMacroEditor) {
  Click(25, 5);
  Click(45, 5);
  EXPECT_EQ(hooks_.repeatCommits, 1);
}

}  // namespace
}  // namespace zr::test
