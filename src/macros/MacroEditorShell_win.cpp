#include "macros/MacroEditorShell_win.h"

#include <string>

#include "macros/MacroFile.h"
#include "platform/win32/WideText.h"

namespace zr {
namespace {

std::u16string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return FromWide(text);
}

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

class Win32ListBox : public StepListView {
 public:
  explicit Win32ListBox(HWND list) : list_(list) {}
  int RowCount() const override {
    const LRESULT count = Send(LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
  }
  void AddRow(std::u16string_view text) override {
    const std::wstring row = Wide(text);
    Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  }
  void DeleteRow(int row) override { Send(LB_DELETESTRING, static_cast<WPARAM>(row), 0); }
  std::u16string RowText(int row) const override {
    const LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return FromWide(text);
  }
  int Selection() const override {
    const LRESULT selection = Send(LB_GETCURSEL, 0, 0);
    return selection == LB_ERR ? -1 : static_cast<int>(selection);
  }
  void Select(int row) override {
    Send(LB_SETCURSEL, row >= 0 && row < RowCount() ? static_cast<WPARAM>(row) : static_cast<WPARAM>(-1), 0);
  }
  int ItemHeight() const override {
    const LRESULT height = Send(LB_GETITEMHEIGHT, 0, 0);
    return height == LB_ERR ? 0 : static_cast<int>(height);
  }
  int ScrollPosition() const override { return ::GetScrollPos(list_, SB_VERT); }
  PixelRect ScreenBounds() const override {
    RECT client{};
    ::GetClientRect(list_, &client);
    POINT corners[2] = {{client.left, client.top}, {client.right, client.bottom}};
    ::ClientToScreen(list_, &corners[0]);
    ::ClientToScreen(list_, &corners[1]);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  }
  void Focus() override { ::SetFocus(list_); }
  void OpenInPlaceEdit() override { Send(WM_CHAR, kEditArmingCode, 0); }

 private:
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const { return ::SendMessageW(list_, message, wParam, lParam); }
  HWND list_;
};

class Win32EditField final : public TextField {
 public:
  explicit Win32EditField(HWND edit) : edit_(edit) {}
  std::u16string Text() const override { return WindowText(edit_); }
  void SetText(std::u16string_view text) override {
    const std::wstring wide = Wide(text);
    ::SetWindowTextW(edit_, wide.c_str());
  }
  void SetEnabled(bool enabled) override { ::EnableWindow(edit_, enabled ? TRUE : FALSE); }

 private:
  HWND edit_;
};

}  // namespace

class MacroEditorShell::Views {
 public:
  Views(HWND name, HWND macros, HWND steps, HWND repeat) : name_(name), macros_(macros), steps_(steps), repeat_(repeat) {}
  MacroEditorViews Bound() { return {&name_, &macros_, &steps_, &repeat_}; }

 private:
  Win32EditField name_;
  Win32ListBox macros_;
  Win32ListBox steps_;
  Win32EditField repeat_;
};

void MacroEditorShell::Repaint::RepaintWholeWindow() {
  if (window != nullptr) ::InvalidateRect(window, nullptr, TRUE);
}

void MacroEditorShell::Saver::SaveMacroTable() {
  // An empty path would have the profile functions write into the system's
  // own profile file.
  const std::u16string path = services_.macroFilePath ? services_.macroFilePath() : std::u16string();
  if (!path.empty()) SaveMacroFile(services_.profiles, path, services_.tables);
}

MacroEditorShell::MacroEditorShell(MacroEditorShellServices services)
    : services_(std::move(services)),
      saver_(services_),
      editor_(services_.tables, services_.state,
              {services_.notices, services_.messageCaption, repaint_, hook_, saver_}) {}

MacroEditorShell::~MacroEditorShell() { Shutdown(); }

void MacroEditorShell::OnAdvancedPageOpened(HWND dialog) {
  OnAdvancedPageClosed();
  HWND name = ::GetDlgItem(dialog, editor_control::kMacroNameEdit);
  HWND macros = ::GetDlgItem(dialog, editor_control::kMacroList);
  HWND steps = ::GetDlgItem(dialog, editor_control::kStepList);
  HWND repeat = ::GetDlgItem(dialog, editor_control::kRepeatCountEdit);
  if (!name || !macros || !steps || !repeat) return;
  dialog_ = dialog;
  repaint_.window = dialog;
  hook_.SetTarget(dialog);
  stepList_.Attach(steps);
  views_ = std::make_unique<Views>(name, macros, steps, repeat);
  editor_.Attach(views_->Bound());
  editor_.RefillMacroList();
}

void MacroEditorShell::OnAdvancedPageClosed() {
  // A delay being typed is kept, as when the edit loses the focus, while the
  // editor can still store it.
  if (stepList_.Editing()) stepList_.EndEdit(true);
  editor_.Detach();
  stepList_.Detach();
  views_.reset();
}

bool MacroEditorShell::PreTranslate(MSG& message) {
  if (message.message == kRecorderKeyMessage) {
    OnHookMessage(message.wParam, message.lParam);
    return true;
  }
  if (editor_.Recording()) {
    if (!IsKeyMessage(message.message)) return false;
    // With the hook in place every key arrives as its posted message, and a
    // key message still queued from before the recording began is not one
    // to record. Without the hook (it could not be installed) the window's
    // own key messages are all the recorder gets. None goes on to the
    // dialog, where Escape or Enter would end it.
    if (!hook_.Installed())
      editor_.RecordKeyMessage({message.message, static_cast<std::uint32_t>(message.wParam), message.time});
    return true;
  }
  if (message.message == WM_RBUTTONUP && editor_.Attached() && dialog_ != nullptr &&
      (message.hwnd == dialog_ || ::IsChild(dialog_, message.hwnd))) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    if (editor_.RightClicked({cursor.x, cursor.y}) && menu_ != nullptr) {
      if (HMENU popup = ::GetSubMenu(menu_, 0))
        ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, dialog_, nullptr);
    }
  }
  return false;
}

bool MacroEditorShell::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == editor_control::kMacroList && code == LBN_SELCHANGE && lParam != 0) {
    editor_.MacroSelectionChanged();
    return true;
  }
  if (lParam == 0 && code == 0) return editor_.RunStepCommand(id);
  return false;
}

void MacroEditorShell::OnHookMessage(WPARAM wParam, LPARAM lParam) {
  editor_.RecordKeyMessage(KeyMessageFromRecorderMessage(wParam, lParam));
}

void MacroEditorShell::EndEditingBeforeReload() {
  if (stepList_.Editing()) stepList_.EndEdit(true);
  editor_.StopRecording();
}

void MacroEditorShell::Shutdown() {
  editor_.StopRecording();
  hook_.Remove();
}

}  // namespace zr
