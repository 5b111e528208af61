#include "app/MainWindowInput_win.h"

#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

#include <array>
#include <functional>
#include <utility>

#include "config/ConfigStore.h"
#include "macros/MacroEditor.h"
#include "macros/MacroFile.h"
#include "macros/MacroImport.h"
#include "macros/MacroReset.h"
#include "platform/Text.h"
#include "platform/win32/WideText.h"
#include "skin/PopupMenus.h"

// The build names the page (cmake/Windows.cmake), so it can be changed without touching the code.
#ifndef ZR_WEB_LINK
#error "ZR_WEB_LINK comes from the build"
#endif

namespace zr {
namespace {

constexpr wchar_t kWebLink[] = L"" ZR_WEB_LINK;

// The step list posts it to the window that owns it, as a private message of that window's class.
static_assert(kInPlaceEditEndedMessage >= WM_USER && kInPlaceEditEndedMessage < WM_APP);

// The common dialogs' filter: pairs of strings, ended by an empty one.
constexpr wchar_t kProfileFilter[] = L"All Files(*.ini)\0*.ini\0";
constexpr wchar_t kMacroFilter[] = L"All Files(*.dat)\0*.dat\0";

HWND CreateChild(HWND parent, HINSTANCE instance, const wchar_t* windowClass, DWORD style, const PixelRect& rect,
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
                           [this] { Execute(ChoiceFinished(state_.ui)); }, [this] { return hooks_.SkinFont(); }}) {}

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
  if (std::exchange(state_.ui.menus.choiceFinished, false)) popups_.CloseMenu();
}

void MainWindowInput::Repaint(RepaintArea area) {
  if (window_ == nullptr) return;
  if (area == RepaintArea::AdvancedRegion && advancedRegion_ != nullptr)
    ::InvalidateRgn(window_, advancedRegion_, TRUE);
  else if (area != RepaintArea::None)
    ::InvalidateRect(window_, nullptr, TRUE);
}

void MainWindowInput::UpdateNow() {
  if (window_ != nullptr) ::UpdateWindow(window_);
}

void MainWindowInput::Execute(const InputRequest& request) {
  InputSteps steps(request, state_.ui, state_.languageFlag);
  while (const InputStep* step = steps.Next()) steps.Report(Perform(*step));
}

StepOutcome MainWindowInput::Perform(const InputStep& step) {
  const auto failedUnless = [](bool succeeded) { return StepOutcome{succeeded, {}}; };
  MacroFileServices macroServices{services_.profiles, services_.files, services_.notices};
  switch (step.kind) {
    case StepKind::ClosePopup: popups_.CloseMenu(); break;
    case StepKind::AdvancedPageClosing: hooks_.AdvancedPageClosed(); break;
    case StepKind::DestroyAdvancedControls: DestroyAdvancedControls(); break;
    case StepKind::Repaint: Repaint(step.area); break;
    case StepKind::CreateAdvancedControls: CreateAdvancedControls(); break;
    case StepKind::UpdateNow: UpdateNow(); break;
    case StepKind::AdvancedPageOpened: hooks_.AdvancedPageOpened(); break;
    case StepKind::StartColourPreview: hooks_.StartColourPreview(); break;
    case StepKind::EndMacroEditing: hooks_.EndMacroEditing(); break;
    case StepKind::WindowDrag: {
      // The message carries screen coordinates; the drag starts where the cursor is.
      POINT at{step.x, step.y};
      ::ClientToScreen(window_, &at);
      ::PostMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
      break;
    }
    case StepKind::Minimise: ::PostMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, MAKELPARAM(step.x, step.y)); break;
    case StepKind::SendClose: ::SendMessageW(window_, WM_CLOSE, 0, 0); break;
    case StepKind::OpenWebLink: ::ShellExecuteW(nullptr, L"open", kWebLink, nullptr, nullptr, SW_SHOW); break;
    case StepKind::ShowMessage: services_.notices.ShowMessage(step.message); break;
    case StepKind::AskOpenFile: return AskFile(false, step.file);
    case StepKind::AskSaveFile: return AskFile(true, step.file);
    case StepKind::SaveConfiguration:
      SaveConfiguration(services_.profiles, state_.paths.ConfigFile(), state_.currentConfig, state_.config);
      break;
    case StepKind::ImportProfile:
      return failedUnless(ImportCheckedProfile(services_.profiles, step.path, state_.languageFlag, state_.config));
    case StepKind::ExportProfile: zr::ExportProfile(services_.profiles, step.path, state_.config); break;
    case StepKind::ImportMacros: return failedUnless(ImportMacroFile(macroServices, step.path, state_.macros));
    case StepKind::ExportMacros: SaveMacroFile(services_.profiles, step.path, state_.macros); break;
    case StepKind::RunHideCommand:
      zr::RunHideCommand(services_.profiles, state_.paths.ConfigFile(), state_.languageFlag, state_.config);
      break;
    case StepKind::LoadConfiguration:
      LoadClickedConfiguration(services_.profiles, state_.paths.ConfigFile(), state_.currentConfig,
                               state_.languageFlag, state_.config);
      break;
    case StepKind::ResetConfigurations:
      FactoryReset(services_.profiles, state_.paths.ConfigFile(), state_.currentConfig, state_.languageFlag,
                   state_.config);
      break;
    case StepKind::ResetMacros:
      zr::ResetMacros(macroServices, state_.paths, state_.languageFlag, state_.macros,
                      step.refillMacroList ? std::function<void()>([this] { hooks_.MacrosReloaded(); }) : nullptr);
      break;
    case StepKind::PlacePopup: PlacePopup(step.entry); break;
    case StepKind::AskWarning: return failedUnless(popups_.AskWarning(window_) != kWarningCancel);
    case StepKind::OpenPopupMenu: popups_.OpenMenu(window_); break;
    case StepKind::AddOrSelectMacro: hooks_.AddOrSelectMacro(); break;
    case StepKind::DeleteMacro: hooks_.DeleteMacro(); break;
    case StepKind::ToggleRecording: hooks_.ToggleRecording(); break;
    case StepKind::CommitRepeatCount: hooks_.CommitRepeatCount(); break;
    case StepKind::ToggleRepeatMode: hooks_.ToggleRepeatMode(); break;
    case StepKind::MacrosReloaded: hooks_.MacrosReloaded(); break;
    case StepKind::Download: hooks_.Download(); break;
    case StepKind::Applied: hooks_.Applied(); break;
    case StepKind::ConfigurationChosen: hooks_.ConfigurationChosen(); break;
    case StepKind::FactoryResetDone: hooks_.FactoryResetDone(); break;
    case StepKind::SwitchLanguage: hooks_.SwitchLanguage(step.languageFlag); break;
  }
  return {};
}

void MainWindowInput::PlacePopup(std::int32_t entry) {
  RECT window{};
  ::GetWindowRect(window_, &window);
  state_.ui.popupSpot = SpotOnScreen(window.left, window.top, skin_.main[entry]);
}

void MainWindowInput::CreateAdvancedControls() {
  DestroyAdvancedControls();
  // A file's rectangle may reach anywhere; a control never covers more than the window.
  RECT client{};
  ::GetClientRect(window_, &client);
  const auto clip = [&client](const PixelRect& rect) { return ClipToWindow(rect, client.right, client.bottom); };
  const AdvancedControlRects rects{clip(skin_.controls.repeatCountEdit), clip(skin_.controls.macroNameEdit),
                                   clip(skin_.controls.macroList), clip(skin_.controls.stepList)};
  constexpr DWORD kEditStyle = ES_CENTER | ES_WANTRETURN;
  constexpr DWORD kListStyle = WS_VSCROLL | LBS_NOTIFY;
  controls_.repeatCountEdit.reset(CreateChild(window_, instance_, L"EDIT", kEditStyle, rects.repeatCountEdit, editor_control::kRepeatCountEdit));
  controls_.macroNameEdit.reset(CreateChild(window_, instance_, L"EDIT", kEditStyle, rects.macroNameEdit, editor_control::kMacroNameEdit));
  controls_.macroList.reset(CreateChild(window_, instance_, L"LISTBOX", kListStyle, rects.macroList, editor_control::kMacroList));
  // The editable step list takes this window over by subclassing it.
  controls_.stepList.reset(CreateChild(window_, instance_, L"LISTBOX", kListStyle, rects.stepList, editor_control::kStepList));
}

void MainWindowInput::DestroyAdvancedControls() {
  controls_.repeatCountEdit.reset();
  controls_.macroNameEdit.reset();
  controls_.macroList.reset();
  controls_.stepList.reset();
}

StepOutcome MainWindowInput::AskFile(bool save, FileKind kind) {
  std::array<wchar_t, 1024> file{};
  const std::wstring folder = Wide(state_.paths.applicationDirectory);
  const std::wstring defaultExtension = Wide(Extension(kind));
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = kind == FileKind::Profile ? kProfileFilter : kMacroFilter;
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
  if (!chosen) return StepOutcome{false, {}};
  return StepOutcome{true, FromWide(file.data())};
}

}  // namespace zr
