#include "app/MainWindowInput_win.h"

#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

#include <array>
#include <vector>

#include "config/ConfigStore.h"
#include "macros/MacroFile.h"
#include "macros/MacroImport.h"
#include "macros/MacroReset.h"
#include "platform/Text.h"
#include "platform/win32/WideText.h"
#include "skin/PopupMenus.h"

#ifndef ZR_WEB_LINK
#define ZR_WEB_LINK "https://example.com/"
#endif

namespace zr {
namespace {

constexpr wchar_t kWebLink[] = L"" ZR_WEB_LINK;

// The common dialogs' filter: pairs of strings, ended by an empty one.
constexpr wchar_t kProfileFilter[] = L"All Files(*.ini)\0*.ini\0";
constexpr wchar_t kMacroFilter[] = L"All Files(*.dat)\0*.dat\0";

HWND CreateChild(HWND parent, HINSTANCE instance, const wchar_t* windowClass, DWORD style, const SkinRect& rect,
                 int id) {
  return ::CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

}  // namespace

MainWindowInput::MainWindowInput(HINSTANCE instance, AppState& state, const SkinLayouts& skin,
                                 MainWindowInputServices services, MainWindowInputHooks& hooks)
    : instance_(instance),
      state_(state),
      skin_(skin),
      services_(services),
      hooks_(hooks),
      popups_(PopupContext{instance, [&paths = state.paths] { return paths.SkinFolder(); }, state.config, skin, state.macros, state.ui,
                           state.languageFlag,
                           [this] { Repaint(RepaintArea::WholeWindow); },
                           [this] { OnChoiceFinished(); }, [this] { return hooks_.SkinFont(); }}) {}

MainWindowInput::~MainWindowInput() {
  // A main window that is gone took its children with it; their handles
  // may already name other windows.
  if (window_ == nullptr || !::IsWindow(window_)) {
    controls_.repeatCountEdit.release();
    controls_.macroNameEdit.release();
    controls_.macroList.release();
    controls_.stepList.release();
  }
}

void MainWindowInput::Attach(HWND window) { window_ = window; }

InputModel MainWindowInput::Model() {
  return InputModel{state_.ui, state_.config, skin_, state_.preview, state_.currentConfig};
}

INT_PTR MainWindowInput::OnMouseMove(WPARAM, LPARAM lParam) {
  Execute(TrackHover(Model(), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
  return FALSE;
}

INT_PTR MainWindowInput::OnLButtonDown(WPARAM, LPARAM lParam) {
  Execute(Press(Model(), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
  return FALSE;  // the default processing runs as well
}

INT_PTR MainWindowInput::OnLButtonUp(WPARAM, LPARAM lParam) {
  Execute(Release(Model(), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
  return FALSE;
}

bool MainWindowInput::PreTranslate(const MSG& message) const {
  return SwallowedByKeyboardFilter(message.message, message.wParam);
}

INT_PTR MainWindowInput::OnStepDelayCommit(WPARAM, LPARAM) {
  hooks_.CommitStepDelay();
  ::SetWindowLongPtrW(window_, DWLP_MSGRESULT, 0);
  return TRUE;
}

void MainWindowInput::ConsumeChoiceFinished() {
  if (!state_.ui.menus.choiceFinished) return;
  state_.ui.menus.choiceFinished = false;
  popups_.CloseMenu();
}

void MainWindowInput::OnChoiceFinished() {
  // Main menu closed, main window repainted, then the sub-menu goes.
  ConsumeChoiceFinished();
  Repaint(RepaintArea::WholeWindow);
  if (window_ != nullptr) ::UpdateWindow(window_);
}

void MainWindowInput::Repaint(RepaintArea area) {
  if (window_ == nullptr) return;
  if (area == RepaintArea::AdvancedRegion && advancedRegion_ != nullptr)
    ::InvalidateRgn(window_, advancedRegion_, TRUE);
  else if (area != RepaintArea::None)
    ::InvalidateRect(window_, nullptr, TRUE);
}

void MainWindowInput::Execute(const InputRequest& request) {
  if (request.closePopup) popups_.CloseMenu();
  if (request.leaveAdvancedPage) DestroyAdvancedControls();
  Repaint(request.repaint);
  if (request.enterAdvancedPage) CreateAdvancedControls();
  if (request.startColourPreview) hooks_.StartColourPreview();
  if (request.endMacroEditing) hooks_.EndMacroEditing();
  RunCommand(request);
  if (request.updateNow && window_ != nullptr) ::UpdateWindow(window_);
}

void MainWindowInput::RunCommand(const InputRequest& request) {
  const std::u16string configFile = state_.paths.ConfigFile();
  const std::uint8_t language = state_.languageFlag;
  ConfigRecord& config = state_.config;
  MacroFileServices macroServices{services_.profiles, services_.files, services_.notices};
  switch (request.command) {
    case InputCommand::None: return;
    case InputCommand::WindowDrag: {
      // The message carries screen coordinates; the drag starts where the cursor is.
      POINT at{request.x, request.y};
      ::ClientToScreen(window_, &at);
      ::PostMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
      return;
    }
    case InputCommand::Save:
      SaveConfiguration(services_.profiles, configFile, state_.currentConfig, config);
      return;
    case InputCommand::ImportProfile:
      if (const auto path = AskFile(false, u"ini")) {
        if (!ImportCheckedProfile(services_.profiles, *path, language, config))
          services_.notices.ShowMessage(NoProfileMessage(language));
        Repaint(RepaintArea::WholeWindow);
      }
      return;
    case InputCommand::ExportProfile:
      if (const auto path = AskFile(true, u"ini")) {
        ExportProfile(services_.profiles, *path, config);
        Repaint(RepaintArea::WholeWindow);
      }
      return;
    case InputCommand::OpenPopup: OpenPopup(request.warningFirst); return;
    case InputCommand::ImportMacros:
      if (const auto path = AskFile(false, u"dat")) {
        if (!ImportMacroFile(macroServices, *path, state_.macros)) {
          services_.notices.ShowMessage(NoMacrosMessage(language));
          return;
        }
        hooks_.MacrosReloaded();
        Repaint(RepaintArea::AdvancedRegion);
      }
      return;
    case InputCommand::ExportMacros:
      if (const auto path = AskFile(true, u"dat")) SaveMacroFile(services_.profiles, *path, state_.macros);
      return;
    case InputCommand::AddOrSelectMacro: hooks_.AddOrSelectMacro(); return;
    case InputCommand::DeleteMacro: hooks_.DeleteMacro(); return;
    case InputCommand::ToggleRecording: hooks_.ToggleRecording(); return;
    case InputCommand::CommitRepeatCount: hooks_.CommitRepeatCount(); return;
    case InputCommand::ToggleRepeatMode: hooks_.ToggleRepeatMode(); return;
    case InputCommand::HideCommand:
      RunHideCommand(services_.profiles, configFile, language, config);
      ::SendMessageW(window_, WM_CLOSE, 0, 0);
      Repaint(RepaintArea::WholeWindow);
      return;
    case InputCommand::Apply:
      hooks_.Download();
      hooks_.Applied();
      return;
    case InputCommand::LoadConfiguration:
      LoadClickedConfiguration(services_.profiles, configFile, state_.currentConfig, language, config);
      hooks_.ConfigurationChosen();
      return;
    case InputCommand::Minimise:
      ::PostMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, MAKELPARAM(request.x, request.y));
      return;
    case InputCommand::Close: ::SendMessageW(window_, WM_CLOSE, 0, 0); return;
    case InputCommand::FactoryReset:
      FactoryReset(services_.profiles, configFile, state_.currentConfig, language, config);
      ResetMacros(macroServices, state_.paths, language, state_.macros, [this] {
        if (state_.ui.currentPage == Page::Advanced) hooks_.MacrosReloaded();
      });
      hooks_.Download();
      hooks_.FactoryResetDone();
      return;
    case InputCommand::SwitchToChinese: hooks_.SwitchLanguage(0); return;
    case InputCommand::SwitchToEnglish: hooks_.SwitchLanguage(1); return;
    case InputCommand::OpenWebLink: ::ShellExecuteW(nullptr, L"open", kWebLink, nullptr, nullptr, SW_SHOW); return;
  }
}

void MainWindowInput::OpenPopup(bool warningFirst) {
  const std::int32_t entry = state_.ui.popupTargetEntry;
  if (entry < kFirstButtonEntry || entry > kLastButtonEntry) return;
  RECT window{};
  ::GetWindowRect(window_, &window);
  state_.ui.popupSpot = SpotOnScreen(window.left, window.top, skin_.main[entry]);
  if (warningFirst && popups_.AskWarning(window_) == kWarningCancel) return;
  popups_.OpenMenu(window_);
}

void MainWindowInput::CreateAdvancedControls() {
  DestroyAdvancedControls();
  // A file's rectangle may reach anywhere; a control never covers more than the window.
  RECT client{};
  ::GetClientRect(window_, &client);
  const auto clip = [&client](const SkinRect& rect) { return ClipToWindow(rect, client.right, client.bottom); };
  const AdvancedControlRects rects{clip(skin_.controls.repeatCountEdit), clip(skin_.controls.macroNameEdit),
                                   clip(skin_.controls.macroList), clip(skin_.controls.stepList)};
  constexpr DWORD kEditStyle = ES_CENTER | ES_WANTRETURN;
  constexpr DWORD kListStyle = WS_VSCROLL | LBS_NOTIFY;
  controls_.repeatCountEdit.reset(CreateChild(window_, instance_, L"EDIT", kEditStyle, rects.repeatCountEdit, kRepeatCountEditId));
  controls_.macroNameEdit.reset(CreateChild(window_, instance_, L"EDIT", kEditStyle, rects.macroNameEdit, kMacroNameEditId));
  controls_.macroList.reset(CreateChild(window_, instance_, L"LISTBOX", kListStyle, rects.macroList, kMacroListId));
  // The editable step list takes this window over by subclassing it.
  controls_.stepList.reset(CreateChild(window_, instance_, L"LISTBOX", kListStyle, rects.stepList, kStepListId));
  ::UpdateWindow(window_);
  hooks_.AdvancedPageOpened();
  ::UpdateWindow(window_);
}

void MainWindowInput::DestroyAdvancedControls() {
  if (controls_.stepList) hooks_.AdvancedPageClosed();
  controls_.repeatCountEdit.reset();
  controls_.macroNameEdit.reset();
  controls_.macroList.reset();
  controls_.stepList.reset();
}

std::optional<std::u16string> MainWindowInput::AskFile(bool save, std::u16string_view extension) {
  std::array<wchar_t, 1024> file{};
  const std::wstring folder = Wide(state_.paths.applicationDirectory);
  const std::wstring defaultExtension = Wide(extension);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = extension == u"ini" ? kProfileFilter : kMacroFilter;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.c_str();
  // The process's current folder stays where it was: every path we use is absolute anyway.
  dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (save) {
    dialog.lpstrDefExt = defaultExtension.c_str();
    dialog.Flags |= OFN_OVERWRITEPROMPT;
  }
  const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return FromWide(file.data());
}

}  // namespace zr
