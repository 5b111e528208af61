#include "app/KvxGMouseDlg_win.h"

#include <array>

#include "app/AboutDlg_win.h"
#include "app/WindowCommands.h"
#include "platform/win32/GdiImages.h"
#include "resource.h"

namespace zr {
namespace {

static_assert(kTrayCallbackMessage == WM_USER + 1);
static_assert(kCommandExitDriver == ID_TRAY_EXIT && kCommandShowWindow == ID_TRAY_SHOW);
static_assert(kCommandShowWindowChinese == ID_TRAY_SHOW_CN && kCommandExitDriverChinese == ID_TRAY_EXIT_CN);
static_assert(kSystemCommandAbout == IDM_ABOUTBOX);
static_assert(kCommandIndicator == ID_TRAY_INDICATOR && kCommandIndicatorChinese == ID_TRAY_INDICATOR_CN);

}  // namespace

CKVX_GMouseDlg::CKVX_GMouseDlg(HINSTANCE instance, AppState& state, ProfileFiles& files, HidBus& bus,
                               std::u16string applicationName)
    : parts_(*this, instance, state, files, bus, std::move(applicationName)),
      appProfiles_(state, parts_.files, parts_.notices, [this] { startup_.Download(); }),
      hooks_(parts_, startup_, exit_, appProfiles_),
      input_(instance, state, state.skin, MainWindowInputServices{parts_.files, parts_.fileQueries, parts_.notices},
             hooks_),
      renderer_(parts_.decoder, state.paths.SkinFolder()),
      indicator_(instance) {
  // A switch the program in front causes is shown on the indicator.
  appProfiles_.SetAnnouncer(
      [this](std::int32_t profile, std::u16string_view program) { AnnounceProfileSwitch(profile, program); });
}

CKVX_GMouseDlg::~CKVX_GMouseDlg() { parts_.device.StopThreads(); }

void CKVX_GMouseDlg::Run(MainWindowStart start) {
  if (Create(start)) RunMessageLoop();
}

bool CKVX_GMouseDlg::Create(MainWindowStart start) {
  // In the tray the start-up runs just the same; the tray icon brings the window.
  if (start == MainWindowStart::InTray)
    return CreateModelessHidden(parts_.instance, IDD_KVX_GMOUSE_DIALOG, nullptr) != nullptr;
  return CreateModeless(parts_.instance, IDD_KVX_GMOUSE_DIALOG, nullptr) != nullptr;
}

void CKVX_GMouseDlg::RunMessageLoop() {
  MSG message{};
  while (Window() != nullptr && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreTranslateMessage(message)) continue;
    if (Window() != nullptr && ::IsDialogMessageW(Window(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

bool CKVX_GMouseDlg::PreTranslateMessage(MSG& message) {
  for (const MessageFilter& filter : filters_)
    if (filter(message)) return true;
  return false;
}

std::span<const Dialog::MessageEntry> CKVX_GMouseDlg::Messages() const {
  // Function-local, so the registered message has its number by then.
  static const std::array<MessageEntry, 25> kMessages = {{
      {WM_INITDIALOG, On(&CKVX_GMouseDlg::OnInitDialog)},
      {WM_PAINT, On(&CKVX_GMouseDlg::OnPaint)},
      {WM_ERASEBKGND, On(&CKVX_GMouseDlg::OnEraseBackground)},
      {WM_CLOSE, On(&CKVX_GMouseDlg::OnClose)},
      {WM_COMMAND, On(&CKVX_GMouseDlg::OnCommand)},
      {WM_SYSCOMMAND, On(&CKVX_GMouseDlg::OnSysCommand)},
      {kTrayCallbackMessage, On(&CKVX_GMouseDlg::OnTrayNotification)},
      {WM_DEVICECHANGE, On(&CKVX_GMouseDlg::OnDeviceChange)},
      {WM_MEASUREITEM, On(&CKVX_GMouseDlg::OnMeasureItem)},
      {WM_DRAWITEM, On(&CKVX_GMouseDlg::OnDrawItem)},
      {WM_QUERYDRAGICON, On(&CKVX_GMouseDlg::OnQueryDragIcon)},
      {WM_DESTROY, On(&CKVX_GMouseDlg::OnDestroy)},
      {WM_CTLCOLOREDIT, On(&CKVX_GMouseDlg::OnControlColour)},
      {WM_CTLCOLORLISTBOX, On(&CKVX_GMouseDlg::OnControlColour)},
      {WM_CTLCOLORSTATIC, On(&CKVX_GMouseDlg::OnControlColour)},
      {WM_MOUSEMOVE, On(&CKVX_GMouseDlg::OnMouseMove)},
      {WM_LBUTTONDOWN, On(&CKVX_GMouseDlg::OnLButtonDown)},
      // A quick second click comes as a double click (the class has
      // CS_DBLCLKS): it is a press like any other, and its release follows.
      {WM_LBUTTONDBLCLK, On(&CKVX_GMouseDlg::OnLButtonDown)},
      {WM_LBUTTONUP, On(&CKVX_GMouseDlg::OnLButtonUp)},
      {kInPlaceEditEndedMessage, On(&CKVX_GMouseDlg::OnStepDelayCommit)},
      {TrayIcon::ShellRestartMessage(), On(&CKVX_GMouseDlg::OnShellRestarted)},
      {kIndicatorNewsMessage, On(&CKVX_GMouseDlg::OnIndicatorNews)},
      {kSaveFailedMessage, On(&CKVX_GMouseDlg::OnSaveFailed)},
      {WM_TIMER, On(&CKVX_GMouseDlg::OnTimer)},
      {WM_RBUTTONUP, On(&CKVX_GMouseDlg::OnRButtonUp)},
  }};
  return kMessages;
}

INT_PTR CKVX_GMouseDlg::Answer(LRESULT result) {
  ::SetWindowLongPtrW(Window(), DWLP_MSGRESULT, result);
  return TRUE;
}

// --- start and end ------------------------------------------------------------

INT_PTR CKVX_GMouseDlg::OnInitDialog(WPARAM, LPARAM) {
  StartupSteps& steps = wrapStartupSteps_ ? wrapStartupSteps_(startup_) : startup_;
  parts_.AttachWindow();
  input_.Attach(Window());
  // The recorder sees every message before the keyboard filter.
  filters_.push_back([this](MSG& message) { return parts_.macroEditor.PreTranslate(message); });
  filters_.push_back([this](MSG& message) { return input_.PreTranslate(message); });
  ExitProcedure& exit = exit_.Procedure();
  exit.AddShutdownStep([this] { indicatorGate_.Close(); });
  exit.AddShutdownStep([this] { parts_.colourPreview.Stop(); });
  exit.AddShutdownStep([this] { parts_.macroEditor.Shutdown(); });
  AppState& state = parts_.state;
  outcome_ = RunStartupSequence(steps, {parts_.files, parts_.fileQueries, parts_.notices}, state,
                                parts_.applicationName);
  indicatorGate_.Load(parts_.files, state.paths.ConfigFile());
  if (outcome_ == StartupOutcome::Running) {
    exit.AddShutdownStep([this] { appProfiles_.Stop(); });
    appProfiles_.Start(Window());
  }
  return TRUE;
}

INT_PTR CKVX_GMouseDlg::OnDestroy(WPARAM, LPARAM) {
  parts_.macroEditor.Shutdown();  // no keystroke stays captured once the window goes
  parts_.DetachWindow();
  indicator_.Hide();
  ::PostQuitMessage(0);
  return FALSE;
}

// The message waits for the action that failed to finish: the mouse gets its
// download and the worker its next press whatever the user does with it.
INT_PTR CKVX_GMouseDlg::OnSaveFailed(WPARAM, LPARAM) {
  parts_.notices.ShowMessage(SaveFailureMessage(parts_.watchedFiles.FailedFile(), parts_.state.languageFlag));
  return TRUE;
}

// --- window commands --------------------------------------------------------

void CKVX_GMouseDlg::HideToTray() {
  if (exit_.HasRun()) return;
  ::ShowWindow(Window(), SW_MINIMIZE);
  ::ShowWindow(Window(), SW_HIDE);
  startup_.AddTrayIcon();
}

void CKVX_GMouseDlg::ShowAndRestore() {
  ::ShowWindow(Window(), SW_SHOW);
  ::ShowWindow(Window(), SW_RESTORE);
}

void CKVX_GMouseDlg::ShowTrayMenu() {
  HMENU menu = TrayMenu();
  if (menu == nullptr) return;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  const UINT check = MF_BYCOMMAND | (indicatorGate_.Enabled() ? MF_CHECKED : MF_UNCHECKED);
  ::CheckMenuItem(menu, ID_TRAY_INDICATOR, check);
  ::CheckMenuItem(menu, ID_TRAY_INDICATOR_CN, check);
  ::SetForegroundWindow(Window());
  ::TrackPopupMenu(menu, 0, cursor.x, cursor.y, 0, Window(), nullptr);
  // Lets the menu close when the user clicks elsewhere after it.
  ::PostMessageW(Window(), WM_NULL, 0, 0);
}

INT_PTR CKVX_GMouseDlg::OnClose(WPARAM, LPARAM) {
  // Closing never ends the utility; it only hides the window.
  HideToTray();
  return TRUE;
}

INT_PTR CKVX_GMouseDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const WORD command = LOWORD(wParam);
  // Enter and Escape arrive as IDOK and IDCANCEL; neither may end the dialog.
  if (command == IDOK || command == IDCANCEL) return TRUE;
  if (parts_.macroEditor.OnCommand(wParam, lParam)) return TRUE;
  switch (DecideMenuCommand(command)) {
    case MenuCommand::ShowWindow: ShowAndRestore(); return TRUE;
    case MenuCommand::Exit: Exit(); return TRUE;
    case MenuCommand::ToggleIndicator: ToggleIndicator(); return TRUE;
    case MenuCommand::Other: break;
  }
  return FALSE;
}

INT_PTR CKVX_GMouseDlg::OnSysCommand(WPARAM wParam, LPARAM) {
  switch (DecideSystemCommand(static_cast<std::uint32_t>(wParam))) {
    case SystemCommand::About: {
      CAboutDlg about;
      about.Run(parts_.instance, Window());
      return TRUE;
    }
    case SystemCommand::Minimise: ::ShowWindow(Window(), SW_MINIMIZE); return TRUE;
    case SystemCommand::Default: break;
  }
  return FALSE;
}

INT_PTR CKVX_GMouseDlg::OnTrayNotification(WPARAM wParam, LPARAM lParam) {
  switch (DecideTrayNotification(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam))) {
    case TrayAction::OtherIcon: return Answer(1);
    case TrayAction::ShowWindow: ShowAndRestore(); break;
    case TrayAction::ShowMenu: ShowTrayMenu(); break;
    case TrayAction::Nothing: break;
  }
  return Answer(0);
}

// The notification area came back without our icon (its shell restarted).
INT_PTR CKVX_GMouseDlg::OnShellRestarted(WPARAM, LPARAM) {
  if (!exit_.HasRun()) parts_.tray.Restore(Window(), parts_.icon);
  return Answer(0);
}

INT_PTR CKVX_GMouseDlg::OnDeviceChange(WPARAM wParam, LPARAM lParam) {
  parts_.device.DeviceChange(wParam, lParam);
  return Answer(TRUE);
}

// --- the on-screen indicator -------------------------------------------------

INT_PTR CKVX_GMouseDlg::OnIndicatorNews(WPARAM news, LPARAM value) {
  const AppState& state = parts_.state;
  const auto content = news == kDpiLevelNews
                           ? indicatorGate_.DpiLevel(state.config, static_cast<std::int32_t>(value), state.languageFlag)
                           : indicatorGate_.ReportRate(static_cast<std::uint8_t>(value), state.languageFlag);
  if (content) indicator_.Show(*content, state.languageFlag);
  return TRUE;
}

void CKVX_GMouseDlg::AnnounceProfileSwitch(std::int32_t profile, std::u16string_view program) {
  if (const auto content = indicatorGate_.ProfileSwitch(profile, program, parts_.state.languageFlag))
    indicator_.Show(*content, parts_.state.languageFlag);
}

void CKVX_GMouseDlg::ToggleIndicator() {
  if (indicatorGate_.Toggle(parts_.files, parts_.state.paths.ConfigFile())) indicator_.Hide();
}

// --- paint and owner drawing --------------------------------------------------

INT_PTR CKVX_GMouseDlg::OnMeasureItem(WPARAM wParam, LPARAM lParam) {
  if (wParam != 0) return FALSE;
  return CKvxMenu::MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
}

INT_PTR CKVX_GMouseDlg::OnDrawItem(WPARAM wParam, LPARAM lParam) {
  if (wParam != 0) return FALSE;
  return CKvxMenu::DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
}

// One of the few messages whose answer is the dialog procedure's own return
// value; the result slot is not read for it.
INT_PTR CKVX_GMouseDlg::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(parts_.icon); }

// The paint covers everything. The answer goes through the result slot, as
// for every message a dialog handles that is not one of the few exceptions.
INT_PTR CKVX_GMouseDlg::OnEraseBackground(WPARAM, LPARAM) { return Answer(TRUE); }

INT_PTR CKVX_GMouseDlg::OnPaint(WPARAM, LPARAM) {
  input_.ConsumeChoiceFinished();
  PaintDc paint(Window());
  if (::IsIconic(Window())) {
    RECT client{};
    ::GetClientRect(Window(), &client);
    DrawIconCentred(paint.get(), parts_.icon, client);
    return TRUE;
  }
  const AppState& state = parts_.state;
  const PaintInputs inputs{state.ui,     state.preview, state.config,       state.macros,
                           state.editor, state.skin,    state.languageFlag, state.currentConfig.load(),
                           parts_.width, parts_.height};
  renderer_.Paint(paint.get(), inputs, parts_.SkinFont());
  return TRUE;
}

INT_PTR CKVX_GMouseDlg::OnControlColour(WPARAM wParam, LPARAM) {
  // A dialog returns the brush itself for these messages.
  return reinterpret_cast<INT_PTR>(controlColours_.Apply(reinterpret_cast<HDC>(wParam), parts_.SkinFont()));
}

}  // namespace zr
