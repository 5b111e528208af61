#include "app/KvxGMouseDlg_win.h"

#include <array>
#include <string>

#include "app/AboutDlg_win.h"
#include "app/WindowCommands.h"
#include "config/IndicatorSetting.h"
#include "platform/win32/DeviceBroadcast.h"
#include "platform/win32/GdiImages.h"
#include "platform/win32/GdiRegion.h"
#include "platform/win32/WideText.h"
#include "macros/MacroFile.h"
#include "skin/LanguageSwitch.h"
#include "skin/MaskShape.h"
#include "skin/SkinImageFiles.h"
#include "resource.h"

namespace zr {
namespace {

static_assert(kTrayCallbackMessage == WM_USER + 1);
static_assert(kCommandExitDriver == ID_TRAY_EXIT && kCommandShowWindow == ID_TRAY_SHOW);
static_assert(kCommandShowWindowChinese == ID_TRAY_SHOW_CN && kCommandExitDriverChinese == ID_TRAY_EXIT_CN);
static_assert(kSystemCommandAbout == IDM_ABOUTBOX);
static_assert(kCommandIndicator == ID_TRAY_INDICATOR && kCommandIndicatorChinese == ID_TRAY_INDICATOR_CN);

// Until the skin gives the window its shape and size.
constexpr int kDefaultWidth = 1000;
constexpr int kDefaultHeight = 600;

// Posted by the first failed save of the user's files, from whichever thread saved.
constexpr UINT kSaveFailedMessage = WM_APP + 0x310;

void CentreOnScreen(HWND window, int width, int height) {
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  ::SetWindowPos(window, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

double MillisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{}, frequency{};
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return now;
}

// Notes when each step begins, for the start-up benchmark.
class TimedSteps final : public StartupSteps {
 public:
  TimedSteps(StartupSteps& inner, StartupTimes& times, const LARGE_INTEGER& start)
      : inner_(inner), times_(times), start_(start) {}
  void ClearHandoverFlags() override {
    Mark("handover");
    inner_.ClearHandoverFlags();
  }
  void StartDeviceThreads() override {
    Mark("threads");
    inner_.StartDeviceThreads();
  }
  void AppendAboutItem() override {
    Mark("about item");
    inner_.AppendAboutItem();
  }
  void SetBigIcon() override {
    Mark("icon");
    inner_.SetBigIcon();
  }
  void SetWindowTitle(std::u16string_view title) override {
    Mark("title");
    inner_.SetWindowTitle(title);
  }
  void CreateAdvancedControls() override {
    Mark("controls");
    inner_.CreateAdvancedControls();
  }
  void CreateFonts() override {
    Mark("fonts");
    inner_.CreateFonts();
  }
  void ApplyWindowShape() override {
    Mark("shape");
    inner_.ApplyWindowShape();
  }
  void LoadMenus(std::uint8_t languageFlag) override {
    Mark("menus");
    inner_.LoadMenus(languageFlag);
  }
  bool OpenDevice() override {
    Mark("open");
    return inner_.OpenDevice();
  }
  void ShowNoMouseMessage(std::u16string_view text, std::u16string_view caption) override {
    Mark("message");
    inner_.ShowNoMouseMessage(text, caption);
  }
  void Pause(std::chrono::milliseconds duration) override {
    Mark("pause");
    inner_.Pause(duration);
  }
  void Download() override {
    Mark("download");
    inner_.Download();
  }
  void AddTrayIcon() override {
    Mark("tray icon");
    inner_.AddTrayIcon();
  }
  void RunExitProcedure() override {
    Mark("exit");
    inner_.RunExitProcedure();
  }

 private:
  void Mark(const char* step) { times_.marks.push_back({step, MillisecondsSince(start_)}); }
  StartupSteps& inner_;
  StartupTimes& times_;
  const LARGE_INTEGER& start_;
};

}  // namespace

CKVX_GMouseDlg::DeviceSide::DeviceSide(HidBus& bus, ButtonActionContext context,
                                       const std::atomic<std::int32_t>& macroMode2)
    : link(bus),
      reports(link, reportPauses),
      reader(link, handover, macroMode2),
      stepTimer(MakeSystemStepTimer()),
      worker(std::move(context), handover, reports, *stepTimer, programs),
      threads(reader, worker, handover) {}

CKVX_GMouseDlg::CKVX_GMouseDlg(HINSTANCE instance, AppState& state, ProfileFiles& files, HidBus& bus,
                               std::u16string applicationName)
    : instance_(instance),
      state_(state),
      watchedFiles_(files, {state.paths.ConfigFile(), state.paths.MacroFile(1), state.paths.MacroFile(0)}),
      files_(watchedFiles_),
      bus_(bus),
      applicationName_(std::move(applicationName)),
      icon_(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON, 0, 0,
                                            LR_DEFAULTSIZE | LR_SHARED))),
      renderer_(decoder_, state.paths.SkinFolder()),
      macroEditor_(MacroEditorShellServices{state.macros, state.editor, notices_, applicationName_, files_,
                                            [&state] { return state.paths.MacroFile(state.languageFlag); }}),
      input_(instance, state, state.skin, MainWindowInputServices{files_, fileQueries_, notices_}, *this) {
  // A switch the program in front causes is shown on the indicator.
  appProfiles_.SetAnnouncer(
      [this](std::int32_t profile, std::u16string_view program) { AnnounceProfileSwitch(profile, program); });
}

CKVX_GMouseDlg::~CKVX_GMouseDlg() {
  if (device_) device_->threads.Stop();
}

void CKVX_GMouseDlg::Run(MainWindowStart start) {
  if (Create(start)) RunMessageLoop();
}

bool CKVX_GMouseDlg::Create(MainWindowStart start) {
  // In the tray the start-up runs just the same; the tray icon brings the window.
  if (start == MainWindowStart::InTray) return CreateModelessHidden(instance_, IDD_KVX_GMOUSE_DIALOG, nullptr) != nullptr;
  return CreateModeless(instance_, IDD_KVX_GMOUSE_DIALOG, nullptr) != nullptr;
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

// --- start-up ---------------------------------------------------------------

INT_PTR CKVX_GMouseDlg::OnInitDialog(WPARAM, LPARAM) {
  initStart_ = Now();
  watchedFiles_.SetAnnouncer([window = Window()] { ::PostMessageW(window, kSaveFailedMessage, 0, 0); });
  input_.Attach(Window());
  // The recorder sees every message before the keyboard filter.
  AddMessageFilter([this](MSG& message) { return macroEditor_.PreTranslate(message); });
  AddMessageFilter([this](MSG& message) { return input_.PreTranslate(message); });
  exit_.AddShutdownStep([this] { colourPreview_.Stop(); });
  exit_.AddShutdownStep([this] { macroEditor_.Shutdown(); });
  notices_.SetOwner(Window());
  TrayIcon::AcceptShellRestartMessage(Window());
  repaint_.SetWindow(Window());
  indicatorNews_.SetWindow(Window());
  TimedSteps steps(*this, times_, initStart_);
  times_.outcome = RunStartupSequence(steps, {files_, fileQueries_, notices_}, state_, applicationName_);
  indicatorEnabled_ = ReadIndicatorEnabled(files_, state_.paths.ConfigFile());
  if (times_.outcome == StartupOutcome::Running) {
    times_.totalMs = MillisecondsSince(initStart_);
    exit_.AddShutdownStep([this] { appProfiles_.Stop(); });
    appProfiles_.Start(Window());
  }
  return TRUE;
}

void CKVX_GMouseDlg::ClearHandoverFlags() {
  ButtonActionContext context{state_.config, state_.macros, files_, state_.paths.ConfigFile(), state_.currentConfig,
                              repaint_, &indicatorNews_};
  device_ = std::make_unique<DeviceSide>(bus_, std::move(context), state_.config.MACRO_MODE2);
  device_->link.AttachWindow(Window(), [this] { Exit(); });
  device_->link.SetInputChanged([reader = &device_->reader](bool present) { reader->InputChanged(present); });
}

void CKVX_GMouseDlg::StartDeviceThreads() { device_->threads.Start(); }

void CKVX_GMouseDlg::AppendAboutItem() {
  HMENU systemMenu = ::GetSystemMenu(Window(), FALSE);
  std::array<wchar_t, 128> text{};
  if (systemMenu == nullptr || ::LoadStringW(instance_, IDS_ABOUTBOX, text.data(), static_cast<int>(text.size())) == 0)
    return;
  ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text.data());
}

void CKVX_GMouseDlg::SetBigIcon() {
  ::SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
}

void CKVX_GMouseDlg::SetWindowTitle(std::u16string_view title) {
  const std::wstring text = Wide(title);
  ::SetWindowTextW(Window(), text.c_str());
}

void CKVX_GMouseDlg::CreateAdvancedControls() { input_.CreateControlObjects(); }

void CKVX_GMouseDlg::CreateFonts() { fonts_.Create(); }

void CKVX_GMouseDlg::ApplyWindowShape() {
  const LARGE_INTEGER start = Now();
  const std::optional<RgbImage> mask = decoder_.Decode(state_.paths.MaskImage());
  times_.maskDecodeMs = MillisecondsSince(start);
  const LARGE_INTEGER regionStart = Now();
  MainWindowRegions regions =
      BuildMainWindowRegions(mask ? &*mask : nullptr, kDefaultWidth, kDefaultHeight, state_.skin.controls);
  times_.maskRegionMs = MillisecondsSince(regionStart);
  width_ = regions.shape.width;
  height_ = regions.shape.height;
  advancedPaintRegion_ = MakeGdiRegion(regions.advancedPaint);
  input_.SetAdvancedPaintRegion(advancedPaintRegion_.get());
  CentreOnScreen(Window(), width_, height_);
  if (regions.shape.fromMask) {
    // The window owns the region once it is set.
    if (UniqueRegion region = MakeGdiRegion(regions.shape.region); region && ::SetWindowRgn(Window(), region.get(), TRUE))
      region.release();
  }
  times_.windowShapeMs = MillisecondsSince(start);
}

void CKVX_GMouseDlg::LoadMenus(std::uint8_t languageFlag) {
  stepMenu_.Load(instance_, languageFlag != 0 ? IDR_STEP_MENU_EN : IDR_STEP_MENU_CN);
  trayMenu_.Load(instance_, languageFlag != 0 ? IDR_TRAY_MENU_EN : IDR_TRAY_MENU_CN);
  macroEditor_.SetStepContextMenu(stepMenu_.Handle());
}

bool CKVX_GMouseDlg::OpenDevice() { return device_->link.OpenDevice(); }

void CKVX_GMouseDlg::ShowNoMouseMessage(std::u16string_view text, std::u16string_view caption) {
  times_.totalMs = MillisecondsSince(initStart_);
  const std::wstring textW = Wide(text), captionW = Wide(caption);
  ::MessageBoxW(Window(), textW.c_str(), captionW.c_str(), MB_OK);
}

void CKVX_GMouseDlg::Pause(std::chrono::milliseconds duration) { ::Sleep(static_cast<DWORD>(duration.count())); }

// A message box of the start (a missing file) lets other messages through,
// so the exit may have run before a later step: then there is nothing to
// download into and no window to put an icon for.
void CKVX_GMouseDlg::Download() {
  if (exit_.HasRun()) return;
  zr::Download({files_, device_->reports, system_, repaint_}, state_.config, state_.currentConfig,
               state_.paths.ConfigFile());
}

void CKVX_GMouseDlg::AddTrayIcon() {
  if (!exit_.HasRun()) tray_.Add(Window(), icon_);
}

void CKVX_GMouseDlg::SwitchLanguage(std::uint8_t languageFlag) {
  // What the switch asks of the window, the macros and the menus.
  class Window final : public LanguageSwitchHooks, public ExitRequests {
   public:
    explicit Window(CKVX_GMouseDlg& dialog) : dialog_(dialog) {}
    void ReloadMacros(std::u16string_view macroFile) override {
      MacroFileServices services{dialog_.files_, dialog_.fileQueries_, dialog_.notices_};
      LoadMacroFile(services, macroFile, dialog_.state_.macros);
    }
    void RefreshAdvancedPage() override {
      if (dialog_.state_.ui.currentPage != Page::Advanced) return;
      dialog_.macroEditor_.RefillMacroList();
      dialog_.repaint_.RepaintWholeWindow();
    }
    void RebuildMenus(std::uint8_t flag) override { dialog_.LoadMenus(flag); }
    void SetMainWindowTitle(std::u16string_view title) override { dialog_.SetWindowTitle(title); }
    void RequestExit() override { exitRequested = true; }
    bool exitRequested = false;

   private:
    CKVX_GMouseDlg& dialog_;
  } window(*this);
  SkinValueReader reader({files_, fileQueries_, notices_, window});
  zr::SwitchLanguage(languageFlag, {files_, state_.paths, state_.languageFlag, state_.skin}, reader, window);
  // A layout file that vanished halfway leaves no usable skin.
  if (window.exitRequested) Exit();
}

HFONT CKVX_GMouseDlg::SkinFont() const { return fonts_.Current(state_.languageFlag); }

// --- exit -------------------------------------------------------------------

void CKVX_GMouseDlg::RemoveTrayIcon() { tray_.Remove(Window()); }

void CKVX_GMouseDlg::StopDeviceThreads() {
  if (device_) device_->threads.Stop();
}

void CKVX_GMouseDlg::SendDriverExit() {
  if (device_) device_->reports.SendDriverExit();
}

void CKVX_GMouseDlg::DestroyMainWindow() {
  if (Window() != nullptr) ::DestroyWindow(Window());
}

INT_PTR CKVX_GMouseDlg::OnDestroy(WPARAM, LPARAM) {
  macroEditor_.Shutdown();  // no keystroke stays captured once the window goes
  repaint_.SetWindow(nullptr);
  indicatorNews_.SetWindow(nullptr);
  indicator_.Hide();
  ::PostQuitMessage(0);
  return FALSE;
}

// The message waits for the action that failed to finish: the mouse gets its
// download and the worker its next press whatever the user does with it.
INT_PTR CKVX_GMouseDlg::OnSaveFailed(WPARAM, LPARAM) {
  notices_.ShowMessage(SaveFailureMessage(watchedFiles_.FailedFile(), state_.languageFlag));
  return TRUE;
}

// --- window commands --------------------------------------------------------

void CKVX_GMouseDlg::HideToTray() {
  if (exit_.HasRun()) return;
  ::ShowWindow(Window(), SW_MINIMIZE);
  ::ShowWindow(Window(), SW_HIDE);
  AddTrayIcon();
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
  const UINT check = MF_BYCOMMAND | (indicatorEnabled_ ? MF_CHECKED : MF_UNCHECKED);
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
  if (macroEditor_.OnCommand(wParam, lParam)) return TRUE;
  switch (DecideMenuCommand(command)) {
    case MenuCommand::ShowWindow: ShowAndRestore(); return TRUE;
    case MenuCommand::Exit: Exit(); return TRUE;
    case MenuCommand::ToggleIndicator: ToggleIndicator(); return TRUE;
    case MenuCommand::Other: break;
  }
  return FALSE;
}

// --- the on-screen indicator -------------------------------------------------

INT_PTR CKVX_GMouseDlg::OnIndicatorNews(WPARAM news, LPARAM value) {
  if (!indicatorEnabled_ || exit_.HasRun()) return TRUE;
  const auto content = news == kDpiLevelNews
                           ? DpiLevelIndicator(state_.config, static_cast<std::int32_t>(value), state_.languageFlag)
                           : ReportRateIndicator(static_cast<std::uint8_t>(value), state_.languageFlag);
  if (content) indicator_.Show(*content, state_.languageFlag);
  return TRUE;
}

void CKVX_GMouseDlg::AnnounceProfileSwitch(std::int32_t profile, std::u16string_view program) {
  if (!indicatorEnabled_ || exit_.HasRun()) return;
  if (const auto content = ProfileIndicator(profile, program, state_.languageFlag))
    indicator_.Show(*content, state_.languageFlag);
}

void CKVX_GMouseDlg::ToggleIndicator() {
  indicatorEnabled_ = !indicatorEnabled_;
  SaveIndicatorEnabled(files_, state_.paths.ConfigFile(), indicatorEnabled_);
  if (!indicatorEnabled_) indicator_.Hide();
}

INT_PTR CKVX_GMouseDlg::OnSysCommand(WPARAM wParam, LPARAM) {
  switch (DecideSystemCommand(static_cast<std::uint32_t>(wParam))) {
    case SystemCommand::About: {
      CAboutDlg about;
      about.Run(instance_, Window());
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
  if (!exit_.HasRun()) tray_.Restore(Window(), icon_);
  return Answer(0);
}

INT_PTR CKVX_GMouseDlg::OnDeviceChange(WPARAM wParam, LPARAM lParam) {
  if (!device_) return Answer(TRUE);
  DeviceLink& link = device_->link;
  auto notice = DecodeDeviceBroadcast(lParam);
  link.DeviceChange(static_cast<std::uint32_t>(wParam), notice ? &*notice : nullptr);
  return Answer(TRUE);
}

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
INT_PTR CKVX_GMouseDlg::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(icon_); }

// --- paint --------------------------------------------------------------------

// The paint covers everything. The answer goes through the result slot, as
// for every message a dialog handles that is not one of the few exceptions.
INT_PTR CKVX_GMouseDlg::OnEraseBackground(WPARAM, LPARAM) { return Answer(TRUE); }

INT_PTR CKVX_GMouseDlg::OnPaint(WPARAM, LPARAM) {
  input_.ConsumeChoiceFinished();
  PaintDc paint(Window());
  if (::IsIconic(Window())) {
    RECT client{};
    ::GetClientRect(Window(), &client);
    DrawIconCentred(paint.get(), icon_, client);
    return TRUE;
  }
  const PaintInputs inputs{state_.ui,   state_.preview,      state_.config,
                           state_.macros, state_.editor,    state_.skin,
                           state_.languageFlag, state_.currentConfig.load(), width_, height_};
  renderer_.Paint(paint.get(), inputs, SkinFont());
  return TRUE;
}

INT_PTR CKVX_GMouseDlg::OnControlColour(WPARAM wParam, LPARAM) {
  // A dialog returns the brush itself for these messages.
  return reinterpret_cast<INT_PTR>(controlColours_.Apply(reinterpret_cast<HDC>(wParam), SkinFont()));
}

}  // namespace zr
