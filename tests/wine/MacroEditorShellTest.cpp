// The macro editor's windows for real: the step list's in-place edit over a
// real list box, the editor bound to the advanced page's four controls, and
// the recorder's keyboard hook fed by injected keys.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "macros/EditableListBox_win.h"
#include "macros/KeyCodes.h"
#include "macros/MacroEditorShell_win.h"
#include "macros/MacroFile.h"
#include "platform/win32/Handles.h"
#include "resource.h"
#include "shared/MemoryProfileFiles.h"
#include "shared/RecordingNotices.h"

namespace zr::test {
namespace {

constexpr wchar_t kPageClass[] = L"ZrMacroEditorTestPage";
constexpr DWORD kBoundMs = 3000;

// What the page window hears from its step list.
struct PageLog {
  int editsEnded = 0;
  int menusShown = 0;
  std::vector<std::pair<int, std::wstring>> rowsEdited;
  MacroEditorShell* shell = nullptr;  // when set, commits the delay as the main window does
};
PageLog* pageLog = nullptr;

LRESULT CALLBACK PageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (pageLog != nullptr && message == kInPlaceEditEndedMessage) {
    ++pageLog->editsEnded;
    if (pageLog->shell != nullptr) pageLog->shell->OnStepDelayCommit();
    return 0;
  }
  if (pageLog != nullptr && message == WM_ENTERMENULOOP) ++pageLog->menusShown;
  if (pageLog != nullptr && message == kRowEditedMessage) {
    pageLog->rowsEdited.emplace_back(static_cast<int>(wParam), reinterpret_cast<const wchar_t*>(lParam));
    return 0;
  }
  if (pageLog != nullptr && pageLog->shell != nullptr && message == WM_COMMAND &&
      pageLog->shell->OnCommand(wParam, lParam))
    return 0;
  return ::DefWindowProcW(window, message, wParam, lParam);
}

std::wstring RowText(HWND list, int row) {
  wchar_t text[256] = {};
  ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
  return text;
}

// The four controls of the advanced page in a plain window, as the main
// window creates them.
class AdvancedPage : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW type{};
    type.lpfnWndProc = PageProcedure;
    type.hInstance = ::GetModuleHandleW(nullptr);
    type.lpszClassName = kPageClass;
    ::RegisterClassW(&type);  // a second registration fails harmlessly
    pageLog = &log;
    page.reset(::CreateWindowExW(0, kPageClass, L"page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 600, 400, nullptr,
                                 nullptr, type.hInstance, nullptr));
    ASSERT_TRUE(page);
    nameEdit = Child(L"EDIT", 0, editor_control::kMacroNameEdit, 10, 10, 150, 24);
    macroList = Child(L"LISTBOX", WS_VSCROLL | LBS_NOTIFY, editor_control::kMacroList, 10, 40, 150, 200);
    stepList = Child(L"LISTBOX", WS_VSCROLL | LBS_NOTIFY, editor_control::kStepList, 200, 40, 200, 200);
    repeatEdit = Child(L"EDIT", 0, editor_control::kRepeatCountEdit, 200, 10, 80, 24);
  }
  void TearDown() override {
    page.reset();
    pageLog = nullptr;
  }
  HWND Child(const wchar_t* type, DWORD style, int id, int x, int y, int w, int h) {
    return ::CreateWindowExW(0, type, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | style, x, y, w, h, page.get(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  }
  HWND InPlaceEdit() const { return ::FindWindowExW(stepList, nullptr, L"Edit", nullptr); }
  void AddRows(std::initializer_list<const wchar_t*> rows) {
    for (const wchar_t* row : rows) ::SendMessageW(stepList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
  }
  void Type(HWND edit, const wchar_t* text, WPARAM endKey) {
    ::SetWindowTextW(edit, text);
    ::SendMessageW(edit, WM_KEYUP, endKey, 0);
  }

  PageLog log;
  UniqueWindow page;
  HWND nameEdit = nullptr, macroList = nullptr, stepList = nullptr, repeatEdit = nullptr;
};

TEST_F(AdvancedPage, TheInPlaceEditOpensOnlyForCodeOneAndCoversTheSelectedRow) {
  CEditableListBox list;
  ASSERT_TRUE(list.Attach(stepList));
  AddRows({L"[\u2193]A", L"    120ms", L"[\u2191]A"});
  ::SendMessageW(stepList, LB_SETCURSEL, 1, 0);

  ::SendMessageW(stepList, WM_CHAR, 'x', 0);
  ::SendMessageW(stepList, WM_KEYUP, VK_INSERT, 0);
  EXPECT_EQ(InPlaceEdit(), nullptr);

  ::SendMessageW(stepList, WM_CHAR, kEditArmingCode, 0);
  HWND edit = InPlaceEdit();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(::GetDlgCtrlID(edit), kInPlaceEditId);
  const LONG_PTR style = ::GetWindowLongPtrW(edit, GWL_STYLE);
  // An edit control takes WS_BORDER out of its window style and draws the
  // border itself, so only the rest shows.
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
  EXPECT_NE(::GetWindowLongPtrW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  RECT item{}, placed{};
  ::SendMessageW(stepList, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  ::GetWindowRect(edit, &placed);
  ::MapWindowPoints(nullptr, stepList, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.top, item.top - 2);
  EXPECT_EQ(placed.bottom, item.bottom + 2);
  EXPECT_EQ(placed.left, item.left);
  EXPECT_EQ(placed.right, item.right);
  wchar_t text[64] = {};
  ::GetWindowTextW(edit, text, 64);
  EXPECT_STREQ(text, L"    120ms");
  EXPECT_EQ(::SendMessageW(edit, WM_GETFONT, 0, 0), ::SendMessageW(stepList, WM_GETFONT, 0, 0));
  EXPECT_EQ(::GetFocus(), edit);
  EXPECT_EQ(log.editsEnded, 0);
}

TEST_F(AdvancedPage, EveryEndOfTheEditReachesTheParentAndOnlyAKeptChangeEditsTheRow) {
  CEditableListBox list;
  ASSERT_TRUE(list.Attach(stepList));
  AddRows({L"[\u2193]A", L"    120ms", L"[\u2191]A"});
  ::SendMessageW(stepList, LB_SETCURSEL, 1, 0);

  ::SendMessageW(stepList, WM_CHAR, kEditArmingCode, 0);
  Type(InPlaceEdit(), L"250", VK_RETURN);
  EXPECT_EQ(InPlaceEdit(), nullptr);
  EXPECT_EQ(RowText(stepList, 1), L"250");
  EXPECT_EQ(::SendMessageW(stepList, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(::SendMessageW(stepList, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(log.rowsEdited, (std::vector<std::pair<int, std::wstring>>{{1, L"    120ms"}}));
  EXPECT_EQ(log.editsEnded, 1);

  ::SendMessageW(stepList, WM_CHAR, kEditArmingCode, 0);
  Type(InPlaceEdit(), L"999", VK_ESCAPE);
  EXPECT_EQ(InPlaceEdit(), nullptr);
  EXPECT_EQ(RowText(stepList, 1), L"250");
  EXPECT_EQ(log.editsEnded, 2);

  ::SendMessageW(stepList, WM_CHAR, kEditArmingCode, 0);
  Type(InPlaceEdit(), L"250", VK_RETURN);  // the row's own text
  EXPECT_EQ(log.rowsEdited.size(), 1u);
  EXPECT_EQ(log.editsEnded, 3);

  ::SendMessageW(stepList, WM_CHAR, kEditArmingCode, 0);
  ::SetWindowTextW(InPlaceEdit(), L"42");
  ::SendMessageW(stepList, WM_VSCROLL, SB_LINEDOWN, 0);  // scrolling keeps what was typed
  EXPECT_EQ(InPlaceEdit(), nullptr);
  EXPECT_EQ(RowText(stepList, 1), L"42");
  EXPECT_EQ(log.editsEnded, 4);

  ::SendMessageW(stepList, WM_CHAR, kEditArmingCode, 0);
  ::SetWindowTextW(InPlaceEdit(), L"43");
  ::SetFocus(macroList);  // clicking elsewhere keeps it too
  EXPECT_EQ(InPlaceEdit(), nullptr);
  EXPECT_EQ(RowText(stepList, 1), L"43");
  EXPECT_EQ(log.editsEnded, 5);
  EXPECT_EQ(::GetFocus(), macroList);
}

TEST_F(AdvancedPage, DestroyingTheListWithAnEditOpenEndsItAtMostOnce) {
  CEditableListBox list;
  ASSERT_TRUE(list.Attach(stepList));
  AddRows({L"[\u2193]A", L"    30ms", L"[\u2191]A"});
  ::SendMessageW(stepList, LB_SETCURSEL, 1, 0);
  ::SendMessageW(stepList, WM_CHAR, kEditArmingCode, 0);
  ASSERT_NE(InPlaceEdit(), nullptr);
  ::DestroyWindow(stepList);
  // The focus leaving the edit may end it while the list still lives; the
  // list's own destruction never ends it again.
  EXPECT_LE(log.editsEnded, 1);
  EXPECT_EQ(list.Window(), nullptr);
  EXPECT_FALSE(list.Editing());
}

class EditorOnThePage : public AdvancedPage {
 protected:
  void SetUp() override {
    AdvancedPage::SetUp();
    SetMacroName(tables.macros[0], u"Burst");
    tables.macros[0].eventCount = 3;
    tables.macros[0].events[0] = {4, kKeyPress};
    tables.macros[0].events[1] = {4, kKeyRelease};
    tables.macros[0].events[2] = {kLeftButtonKey, kKeyPress};
    tables.macros[0].delays[0] = 120;
    tables.macros[0].delays[1] = 40;
    tables.macroCount = 1;
    shell = std::make_unique<MacroEditorShell>(MacroEditorShellServices{
        tables, state, notices, u"ZR305 Gaming Mouse Driver", profiles, [] { return std::u16string(u"Macro_EN.dat"); }});
    log.shell = shell.get();
  }
  void TearDown() override {
    log.shell = nullptr;
    shell.reset();
    AdvancedPage::TearDown();
  }
  ScreenPoint RowOnScreen(int row) {
    RECT item{};
    ::SendMessageW(stepList, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(stepList, &p);
    return {p.x, p.y};
  }

  MacroTables tables;
  MacroEditorState state;
  RecordingNotices notices;
  MemoryProfileFiles profiles;
  std::unique_ptr<MacroEditorShell> shell;
};

TEST_F(EditorOnThePage, OpeningThePageShowsTheMacrosAndAModifiedDelayIsStored) {
  shell->OnAdvancedPageOpened(page.get());
  EXPECT_EQ(::SendMessageW(macroList, LB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(RowText(macroList, 0), L"Burst");
  wchar_t name[32] = {};
  ::GetWindowTextW(nameEdit, name, 32);
  EXPECT_STREQ(name, L"Burst");
  ASSERT_EQ(::SendMessageW(stepList, LB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(RowText(stepList, 3), L"    40ms");
  EXPECT_FALSE(::IsWindowEnabled(repeatEdit));

  ASSERT_TRUE(shell->Editor().RightClicked(RowOnScreen(3)));
  EXPECT_TRUE(shell->OnCommand(MAKEWPARAM(ID_STEP_MODIFY_DELAY_CN, 0), 0));
  HWND edit = InPlaceEdit();
  ASSERT_NE(edit, nullptr);
  Type(edit, L"275", VK_RETURN);
  EXPECT_EQ(log.editsEnded, 1);
  EXPECT_EQ(tables.macros[0].delays[1], 275);
  EXPECT_EQ(RowText(stepList, 3), L"    275ms");

  // A step command through the window's command message.
  ASSERT_TRUE(shell->Editor().RightClicked(RowOnScreen(4)));
  EXPECT_TRUE(shell->OnCommand(MAKEWPARAM(ID_STEP_AFTER_MIDDLE_UP, 0), 0));
  EXPECT_EQ(tables.macros[0].eventCount, 4);
  EXPECT_EQ(RowText(stepList, 6), L"[\u2191]M-KEY");
  EXPECT_FALSE(shell->OnCommand(MAKEWPARAM(32800, 0), 0));  // not the editor's

  // The repeat count's commit saves the table into the language's macro file.
  ::SetWindowTextW(repeatEdit, L"0");
  shell->CommitRepeatCount();
  EXPECT_EQ(tables.macros[0].repeatCount, 1);
  EXPECT_EQ(profiles.ReadString(kMacroSection, kMacroCountKey, u"", 8, u"Macro_EN.dat"), u"1");
  EXPECT_EQ(profiles.ReadString(kMacroSection, u"0", u"", kRecordStringLength + 1, u"Macro_EN.dat"),
            MacroRecordString(tables.macros[0]));

  // Leaving the page while a delay is being typed keeps it.
  ASSERT_TRUE(shell->Editor().RightClicked(RowOnScreen(1)));
  shell->OnCommand(MAKEWPARAM(ID_STEP_MODIFY_DELAY, 0), 0);
  ASSERT_NE(InPlaceEdit(), nullptr);
  ::SetWindowTextW(InPlaceEdit(), L"90");
  shell->OnAdvancedPageClosed();
  EXPECT_EQ(tables.macros[0].delays[0], 90);
  const int ended = log.editsEnded;
  page.reset();
  EXPECT_EQ(log.editsEnded, ended);
  shell->RefillMacroList();  // nothing left to fill, and nothing breaks
}

// Closes whatever menu is being tracked, from inside its modal loop; it
// keeps trying until the test stops it, so a menu can never hold the test.
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); }

TEST_F(EditorOnThePage, ARightClickOverAStepRowTracksTheStepMenu) {
  UniqueMenu menu(::CreateMenu());
  HMENU steps = ::CreatePopupMenu();
  ::AppendMenuW(steps, MF_STRING, ID_STEP_DELETE, L"Delete");
  ::AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(steps), L"MENU_CN");
  shell->SetStepContextMenu(menu.get());
  shell->OnAdvancedPageOpened(page.get());

  const ScreenPoint row3 = RowOnScreen(3);
  ASSERT_TRUE(::SetCursorPos(row3.x, row3.y));
  const UINT_PTR closer = ::SetTimer(nullptr, 0, 200, CloseMenu);
  MSG up{stepList, WM_RBUTTONUP, 0, 0, 0, {row3.x, row3.y}};
  EXPECT_FALSE(shell->PreTranslate(up));  // the list still gets its click
  ::KillTimer(nullptr, closer);
  EXPECT_EQ(log.menusShown, 1);
  EXPECT_EQ(state.selectedRow, 3);
  EXPECT_EQ(state.selectedEvent, 1);
  EXPECT_EQ(::SendMessageW(stepList, LB_GETCURSEL, 0, 0), 3);

  // Beside the list the row is still picked, but no menu opens.
  POINT beside{10, 10};
  ::ClientToScreen(page.get(), &beside);
  ASSERT_TRUE(::SetCursorPos(beside.x, beside.y));
  MSG elsewhere{page.get(), WM_RBUTTONUP, 0, 0, 0, beside};
  EXPECT_FALSE(shell->PreTranslate(elsewhere));
  EXPECT_EQ(log.menusShown, 1);

  // While recording the right button only clicks.
  shell->ToggleRecording();
  ASSERT_TRUE(::SetCursorPos(row3.x, row3.y));
  EXPECT_FALSE(shell->PreTranslate(up));
  EXPECT_EQ(log.menusShown, 1);
  // And no key message goes on to the dialog, where Escape would end it.
  MSG escape{page.get(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  EXPECT_TRUE(shell->PreTranslate(escape));
  shell->Shutdown();
}

// Sees every key that the hooks installed after it let through.
struct KeyWatch {
  static LRESULT CALLBACK Procedure(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && (message == WM_KEYDOWN || message == WM_KEYUP)) ++seen;
    return ::CallNextHookEx(nullptr, code, message, data);
  }
  static inline int seen = 0;
};

// A key as the keyboard reports it; a time of 0 lets the system stamp it.
struct Keystroke {
  WORD vk;
  bool up;
  DWORD time = 0;
};

void Inject(std::initializer_list<Keystroke> keys) {
  // Wine passes keys by a low-level hook only while the hook's thread looks
  // alive, that is, has asked for messages within the last seconds; a test
  // thread that has been busy sending messages would not.
  MSG pending{};
  ::PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE);
  std::vector<INPUT> inputs;
  for (const Keystroke& key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.vk;
    input.ki.dwFlags = key.up ? KEYEVENTF_KEYUP : 0;
    input.ki.time = key.time;
    inputs.push_back(input);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The window's message loop with the editor's pre-translation in front, for
// a bounded time or until `done`.
template <typename Done>
bool Pump(MacroEditorShell& shell, Done done) {
  const ULONGLONG end = ::GetTickCount64() + kBoundMs;
  while (!done() && ::GetTickCount64() < end) {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (shell.PreTranslate(message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return done();
}

TEST_F(EditorOnThePage, TheHookRecordsAndSwallowsKeysUntilTheRecordingEnds) {
  UniqueHook watch(::SetWindowsHookExW(WH_KEYBOARD_LL, KeyWatch::Procedure, ::GetModuleHandleW(nullptr), 0));
  ASSERT_TRUE(watch);
  KeyWatch::seen = 0;
  shell->OnAdvancedPageOpened(page.get());
  shell->ToggleRecording();
  ASSERT_TRUE(shell->Editor().Recording());

  Inject({{'A', false}, {'A', true}, {'B', false}, {'B', true}});
  EXPECT_TRUE(Pump(*shell, [&] { return state.recordedEventCount == 4; })) << state.recordedEventCount;
  EXPECT_EQ(KeyWatch::seen, 0) << "a key got past the recorder's hook";
  shell->ToggleRecording();
  EXPECT_EQ(tables.macros[0].eventCount, 4);
  EXPECT_EQ(tables.macros[0].events[0], (MacroEvent{4, kKeyPress}));
  EXPECT_EQ(tables.macros[0].events[3], (MacroEvent{5, kKeyRelease}));
  EXPECT_EQ(::SendMessageW(stepList, LB_GETCOUNT, 0, 0), 7);

  // Stopped: keys reach everyone again.
  Inject({{'C', false}, {'C', true}});
  EXPECT_TRUE(Pump(*shell, [] { return KeyWatch::seen == 2; })) << KeyWatch::seen;

  // Recording again, then the utility goes away mid-recording.
  shell->ToggleRecording();
  ASSERT_TRUE(shell->Editor().Recording());
  Inject({{'D', false}});
  EXPECT_TRUE(Pump(*shell, [&] { return state.recordedEventCount == 1; }));
  shell->Shutdown();
  EXPECT_FALSE(shell->Editor().Recording());
  EXPECT_EQ(tables.macros[0].eventCount, 1);
  Inject({{'D', true}});
  EXPECT_TRUE(Pump(*shell, [] { return KeyWatch::seen == 3; })) << KeyWatch::seen;
}

bool KeyIsDown(int vk) { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }

// Held as Shift would be; Wine here reports no Shift key through
// GetAsyncKeyState, so a letter stands in for it.
TEST_F(EditorOnThePage, AKeyHeldWhenRecordingStartsIsTheSystemsAndIsUpOnceReleased) {
  constexpr WORD kHeld = 'Q';
  UniqueHook watch(::SetWindowsHookExW(WH_KEYBOARD_LL, KeyWatch::Procedure, ::GetModuleHandleW(nullptr), 0));
  ASSERT_TRUE(watch);
  shell->OnAdvancedPageOpened(page.get());
  // The system keeps a key's state only for input that reaches a window.
  ::SetForegroundWindow(page.get());
  ::SetFocus(page.get());
  const ULONGLONG settled = ::GetTickCount64() + 300;  // the window system takes the activation in its own time
  Pump(*shell, [&] { return ::GetTickCount64() > settled; });
  Inject({{kHeld, false}});
  ASSERT_TRUE(Pump(*shell, [] { return KeyIsDown(kHeld); }));

  shell->ToggleRecording();
  ASSERT_TRUE(shell->Editor().Recording());
  KeyWatch::seen = 0;
  // The held key auto-repeats, A is typed, then the held key is let go, all
  // while recording.
  Inject({{kHeld, false}, {'A', false}, {'A', true}, {kHeld, true}});
  EXPECT_TRUE(Pump(*shell, [&] { return state.recordedEventCount == 2 && !KeyIsDown(kHeld); }))
      << state.recordedEventCount;
  EXPECT_EQ(KeyWatch::seen, 2) << "the held key's repeat and release go on, and only they";
  shell->ToggleRecording();
  EXPECT_FALSE(KeyIsDown(kHeld));
  EXPECT_EQ(tables.macros[0].eventCount, 2);
  EXPECT_EQ(tables.macros[0].events[0], (MacroEvent{4, kKeyPress}));
  EXPECT_EQ(tables.macros[0].events[1], (MacroEvent{4, kKeyRelease}));
}

TEST_F(EditorOnThePage, RecordedDelaysAreTheKeyboardsGapsHoweverLateTheWindowIs) {
  shell->OnAdvancedPageOpened(page.get());
  shell->ToggleRecording();
  ASSERT_TRUE(shell->Editor().Recording());
  // Stamped across the tick's wrap, and delivered to a window that is busy
  // for longer than all the gaps together.
  constexpr DWORD kStart = 0xFFFF'FF00;
  Inject({{'A', false, kStart},
          {'A', true, kStart + 120},
          {'B', false, kStart + 120 + 300},
          {'B', true, kStart + 120 + 300 + 45}});
  ::Sleep(600);
  EXPECT_TRUE(Pump(*shell, [&] { return state.recordedEventCount == 4; })) << state.recordedEventCount;
  shell->ToggleRecording();
  ASSERT_EQ(tables.macros[0].eventCount, 4);
  EXPECT_EQ(tables.macros[0].delays[0], 120);
  EXPECT_EQ(tables.macros[0].delays[1], 300);
  EXPECT_EQ(tables.macros[0].delays[2], 45);
  EXPECT_EQ(tables.macros[0].delays[3], kDefaultStepDelay);
  EXPECT_EQ(RowText(stepList, 3), L"    300ms");
}

TEST_F(EditorOnThePage, BeforeTheTablesAreReloadedTheRecordingTheEditAndTheHookEnd) {
  UniqueHook watch(::SetWindowsHookExW(WH_KEYBOARD_LL, KeyWatch::Procedure, ::GetModuleHandleW(nullptr), 0));
  ASSERT_TRUE(watch);
  KeyWatch::seen = 0;
  shell->OnAdvancedPageOpened(page.get());

  // A delay being typed is kept in the table it was typed for.
  ASSERT_TRUE(shell->Editor().RightClicked(RowOnScreen(3)));
  EXPECT_TRUE(shell->OnCommand(MAKEWPARAM(ID_STEP_MODIFY_DELAY_CN, 0), 0));
  HWND edit = InPlaceEdit();
  ASSERT_NE(edit, nullptr);
  ::SetWindowTextW(edit, L"77");
  shell->EndEditingBeforeReload();
  EXPECT_EQ(InPlaceEdit(), nullptr);
  EXPECT_EQ(tables.macros[0].delays[1], 77);

  shell->ToggleRecording();
  ASSERT_TRUE(shell->Editor().Recording());
  Inject({{'A', false}, {'A', true}});
  ASSERT_TRUE(Pump(*shell, [&] { return state.recordedEventCount == 2; }));
  shell->EndEditingBeforeReload();
  EXPECT_FALSE(shell->Editor().Recording());

  // The reload, as a language switch or an import makes it.
  MacroRecord fresh;
  SetMacroName(fresh, u"Fresh");
  tables.macros[0] = fresh;
  Inject({{'B', false}, {'B', true}});
  EXPECT_TRUE(Pump(*shell, [] { return KeyWatch::seen == 2; })) << "the hook still swallows keys";
  EXPECT_EQ(tables.macros[0], fresh);
}

}  // namespace
}  // namespace zr::test
