// The main window: a skinned, captionless dialog that lives as long as the
// process. It runs modeless under a message loop of its own, so that every
// message can be looked at before the window gets it (the keyboard filter
// and the macro recorder add themselves with AddMessageFilter).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/AppProfilesShell_win.h"
#include "app/ExitProcedure.h"
#include "app/SaveFailureWatch.h"
#include "app/StartupSequence.h"
#include "app/TrayIcon_win.h"
#include "config/ConfigDownload.h"
#include "device/ButtonActionThreads.h"
#include "device/ButtonActions.h"
#include "device/DeviceLink.h"
#include "device/FeatureReports.h"
#include "device/InputReportReader.h"
#include "platform/HidBus.h"
#include "app/MainWindowInput_win.h"
#include "macros/MacroEditorShell_win.h"
#include "platform/ProcessServices.h"
#include "platform/ProfileFiles.h"
#include "platform/Region.h"
#include "platform/win32/Dialog.h"
#include "platform/win32/GdiplusImages.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileQueries.h"
#include "platform/win32/Win32ProgramStarter.h"
#include "platform/win32/Win32SystemSettings.h"
#include "platform/win32/Win32UserNotices.h"
#include "skin/KvxMenu_win.h"
#include "skin/SkinFonts_win.h"
#include "skin/ChildControlColours_win.h"
#include "skin/ColourPreview.h"
#include "skin/IndicatorWindow_win.h"
#include "skin/PageRenderer_win.h"

namespace zr {

// Asks for a repaint of the whole window from any thread.
class WindowInvalidator final : public WindowRepaint {
 public:
  void SetWindow(HWND window) { window_.store(window); }
  void RepaintWholeWindow() override {
    if (HWND window = window_.load()) ::InvalidateRect(window, nullptr, TRUE);
  }

 private:
  std::atomic<HWND> window_{nullptr};
};

// Milliseconds from the first line of the initialisation to its end (the
// tray icon, or the no-mouse message), and of the mask region within it.
struct StartupTimes {
  double totalMs = 0;
  double windowShapeMs = 0;  // the mask decoded, the regions built and set
  double maskDecodeMs = 0;   // of which decoding the mask (GDI+ starts with it)
  double maskRegionMs = 0;   // and building the two regions from the pixels
  StartupOutcome outcome = StartupOutcome::Running;
  // When each step began, from the first line; what lies between two steps
  // is the step and the file reading the core did after it.
  struct Mark {
    const char* step;
    double atMs;
  };
  std::vector<Mark> marks;
};

class CKVX_GMouseDlg final : public Dialog,
                             private StartupSteps,
                             private ExitActions,
                             private MainWindowInputHooks {
 public:
  CKVX_GMouseDlg(HINSTANCE instance, AppState& state, ProfileFiles& files, HidBus& bus,
                 std::u16string applicationName);
  ~CKVX_GMouseDlg() override;

  // Creates the window from template 102 (running the start-up) and then
  // pumps messages until the window is destroyed.
  void Run(MainWindowStart start = MainWindowStart::Shown);
  // The two halves of Run, for harnesses that measure the start.
  bool Create(MainWindowStart start = MainWindowStart::Shown);
  void RunMessageLoop();

  // The exit procedure; safe to call again and from inside itself.
  void Exit() { exit_.Run(); }
  ExitProcedure& Shutdown() { return exit_; }
  // Minimised, hidden, and the tray icon added: what closing does.
  void HideToTray();

  // Runs before the window sees a message; true when the filter consumed it.
  using MessageFilter = std::function<bool(MSG&)>;
  void AddMessageFilter(MessageFilter filter) { filters_.push_back(std::move(filter)); }
  bool PreTranslateMessage(MSG& message);

  // The macro editor's step context menu (the tracked sub-menu, owner drawn).
  HMENU StepContextMenu() const { return stepMenu_.SubMenu(0); }
  HMENU TrayMenu() const { return trayMenu_.SubMenu(0); }
  // Rebuilds both menus for a language (the language switch asks for it).
  void LoadMenus(std::uint8_t languageFlag) override;

  // The utility made `profile` (1..5) current because `program` came to the
  // front: the indicator says so, unless the person turned it off. Interface
  // thread only.
  void AnnounceProfileSwitch(std::int32_t profile, std::u16string_view program);
  const IndicatorWindow& Indicator() const { return indicator_; }
  bool IndicatorEnabled() const { return indicatorEnabled_; }

  const SkinFonts& Fonts() const { return fonts_; }
  std::int32_t WindowWidth() const { return width_; }
  std::int32_t WindowHeight() const { return height_; }
  const StartupTimes& Timings() const { return times_; }
  // Each switch the per-program profiles make: (configuration, program file name).
  void SetProfileSwitchAnnouncer(ProfileSwitchAnnouncer announcer) { appProfiles_.SetAnnouncer(std::move(announcer)); }

 protected:
  std::span<const MessageEntry> Messages() const override;

 private:
  // Everything the two device threads work with; created fresh (handover
  // flags clear) before the threads start.
  struct DeviceSide {
    DeviceSide(HidBus& bus, ButtonActionContext context, const std::atomic<std::int32_t>& macroMode2);
    DeviceLink link;
    ThreadSleeper reportPauses;
    FeatureReports reports;
    ButtonActionHandover handover;
    InputReportReader reader;
    std::unique_ptr<StepTimer> stepTimer;
    Win32ProgramStarter programs;
    ButtonActionWorker worker;
    ButtonActionThreads threads;
  };

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnEraseBackground(WPARAM, LPARAM);
  INT_PTR OnClose(WPARAM, LPARAM);
  INT_PTR OnCommand(WPARAM, LPARAM);
  INT_PTR OnSysCommand(WPARAM, LPARAM);
  INT_PTR OnTrayNotification(WPARAM, LPARAM);
  INT_PTR OnShellRestarted(WPARAM, LPARAM);
  INT_PTR OnDeviceChange(WPARAM, LPARAM);
  INT_PTR OnMeasureItem(WPARAM, LPARAM);
  INT_PTR OnDrawItem(WPARAM, LPARAM);
  INT_PTR OnQueryDragIcon(WPARAM, LPARAM);
  INT_PTR OnDestroy(WPARAM, LPARAM);
  INT_PTR OnIndicatorNews(WPARAM, LPARAM);
  void ToggleIndicator();
  INT_PTR OnSaveFailed(WPARAM, LPARAM);
  INT_PTR Answer(LRESULT result);
  INT_PTR OnMouseMove(WPARAM w, LPARAM l) { return input_.OnMouseMove(w, l); }
  INT_PTR OnLButtonDown(WPARAM w, LPARAM l) { return input_.OnLButtonDown(w, l); }
  INT_PTR OnLButtonUp(WPARAM w, LPARAM l) { return input_.OnLButtonUp(w, l); }
  INT_PTR OnStepDelayCommit(WPARAM w, LPARAM l) { return input_.OnStepDelayCommit(w, l); }
  INT_PTR OnTimer(WPARAM w, LPARAM) { return appProfiles_.OnTimer(w) ? TRUE : FALSE; }
  INT_PTR OnRButtonUp(WPARAM, LPARAM l) {
    appProfiles_.OnRightButtonUp(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
    return TRUE;
  }

  void ShowAndRestore();
  void ShowTrayMenu();

  // StartupSteps
  void ClearHandoverFlags() override;
  void StartDeviceThreads() override;
  void AppendAboutItem() override;
  void SetBigIcon() override;
  void SetWindowTitle(std::u16string_view title) override;
  void CreateAdvancedControls() override;
  void CreateFonts() override;
  void ApplyWindowShape() override;
  bool OpenDevice() override;
  void ShowNoMouseMessage(std::u16string_view text, std::u16string_view caption) override;
  void Pause(std::chrono::milliseconds duration) override;
  void Download() override;
  void AddTrayIcon() override;
  void RunExitProcedure() override { Exit(); }

  // MainWindowInputHooks (Download is the start-up step's)
  void StartColourPreview() override { colourPreview_.StartClaimed(); }
  void SwitchLanguage(std::uint8_t languageFlag) override;
  void AddOrSelectMacro() override { macroEditor_.AddOrSelectMacro(); }
  void DeleteMacro() override { macroEditor_.DeleteMacro(); }
  void ToggleRecording() override { macroEditor_.ToggleRecording(); }
  void ToggleRepeatMode() override { macroEditor_.ToggleRepeatMode(); }
  void CommitRepeatCount() override { macroEditor_.CommitRepeatCount(); }
  void CommitStepDelay() override { macroEditor_.OnStepDelayCommit(); }
  void AdvancedPageOpened() override { macroEditor_.OnAdvancedPageOpened(Window()); }
  void AdvancedPageClosed() override { macroEditor_.OnAdvancedPageClosed(); }
  void MacrosReloaded() override { macroEditor_.RefillMacroList(); }
  void ConfigurationChosen() override { appProfiles_.ConfigurationChosen(); }
  void Applied() override { appProfiles_.Applied(); }
  void FactoryResetDone() override { appProfiles_.FactoryResetDone(); }
  void EndMacroEditing() override { macroEditor_.EndEditingBeforeReload(); }

  // ExitActions
  void RemoveTrayIcon() override;
  void StopDeviceThreads() override;
  void SendDriverExit() override;
  void DestroyMainWindow() override;
  INT_PTR OnControlColour(WPARAM, LPARAM);
  // The font of the skin's texts and the child controls in the current language.
  HFONT SkinFont() const override;

  HINSTANCE instance_;
  AppState& state_;
  SaveFailureWatch watchedFiles_;  // every file access of the window goes through it
  ProfileFiles& files_;
  HidBus& bus_;
  std::u16string applicationName_;
  HICON icon_;  // a shared resource icon: the system owns it
  Win32FileQueries fileQueries_;
  Win32UserNotices notices_;
  Win32SystemSettings system_;
  WindowInvalidator repaint_;
  ExitProcedure exit_{*this, system_};
  TrayIcon tray_;
  std::unique_ptr<DeviceSide> device_;
  SkinFonts fonts_;
  CKvxMenu stepMenu_;
  CKvxMenu trayMenu_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<MessageFilter> filters_;
  GdiplusImageDecoder decoder_;
  StartupTimes times_;
  LARGE_INTEGER initStart_{};
  PageRenderer renderer_;
  ChildControlColours controlColours_;
  UniqueRegion advancedPaintRegion_;  // the advanced-page paint region as the window system holds it
  MacroEditorShell macroEditor_;
  MainWindowInput input_;
  IndicatorNewsPoster indicatorNews_;
  IndicatorWindow indicator_{instance_};
  bool indicatorEnabled_ = true;
  ColourPreviewWorker colourPreview_{ColourPreviewShared{state_.ui, state_.config, state_.preview, repaint_}};
  AppProfilesShell appProfiles_{state_, files_, notices_, [this] { Download(); }};
};

}  // namespace zr
