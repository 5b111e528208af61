// The main window: a skinned, captionless dialog that lives as long as the
// process. It runs modeless under a message loop of its own, so that every
// message can be looked at before the window gets it (the macro recorder and
// the keyboard filter). Its messages go to the parts that handle them; the
// start-up, the exit and what a click asks of the rest are roles of their
// own (MainWindowStartup, MainWindowExit, MainWindowHooks).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppProfilesShell_win.h"
#include "app/AppState.h"
#include "app/ExitProcedure.h"
#include "app/MainWindowExit_win.h"
#include "app/MainWindowHooks_win.h"
#include "app/MainWindowInput_win.h"
#include "app/MainWindowParts_win.h"
#include "app/MainWindowStartup_win.h"
#include "app/StartupSequence.h"
#include "platform/HidBus.h"
#include "platform/ProcessServices.h"
#include "platform/ProfileFiles.h"
#include "platform/win32/Dialog.h"
#include "skin/ChildControlColours_win.h"
#include "skin/IndicatorGate.h"
#include "skin/IndicatorWindow_win.h"
#include "skin/PageRenderer_win.h"

namespace zr {

// For a harness that watches the start from outside: given the window's own
// steps, it returns the steps the start-up sequence is to run (its own,
// passing each on). Called first thing when the window initialises.
using StartupStepsWrapper = std::function<StartupSteps&(StartupSteps& windowSteps)>;

class CKVX_GMouseDlg final : public Dialog {
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
  void WrapStartupSteps(StartupStepsWrapper wrapper) { wrapStartupSteps_ = std::move(wrapper); }
  StartupOutcome Outcome() const { return outcome_; }

  // The exit procedure run; safe to call again and from inside itself.
  void Exit() { exit_.Run(); }
  ExitProcedure& TheExitProcedure() { return exit_.Procedure(); }
  // Minimised, hidden, and the tray icon added: what closing does.
  void HideToTray();

  // The macro editor's step context menu (the tracked sub-menu, owner drawn).
  HMENU StepContextMenu() const { return parts_.stepMenu.SubMenu(0); }
  HMENU TrayMenu() const { return parts_.trayMenu.SubMenu(0); }

  // The utility made `profile` (1..5) current because `program` came to the
  // front: the indicator says so, unless the person turned it off. Interface
  // thread only.
  void AnnounceProfileSwitch(std::int32_t profile, std::u16string_view program);
  const IndicatorWindow& Indicator() const { return indicator_; }
  bool IndicatorEnabled() const { return indicatorGate_.Enabled(); }

  const SkinFonts& Fonts() const { return parts_.fonts; }
  std::int32_t WindowWidth() const { return parts_.width; }
  std::int32_t WindowHeight() const { return parts_.height; }
  // Each switch the per-program profiles make: (configuration, program file name).
  void SetProfileSwitchAnnouncer(ProfileSwitchAnnouncer announcer) { appProfiles_.SetAnnouncer(std::move(announcer)); }

 protected:
  std::span<const MessageEntry> Messages() const override;

 private:
  // Runs before the window sees a message; true when the filter consumed it.
  using MessageFilter = std::function<bool(MSG&)>;
  bool PreTranslateMessage(MSG& message);

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
  INT_PTR OnSaveFailed(WPARAM, LPARAM);
  INT_PTR OnControlColour(WPARAM, LPARAM);
  INT_PTR OnMouseMove(WPARAM w, LPARAM l) { return input_.OnMouseMove(w, l); }
  INT_PTR OnLButtonDown(WPARAM w, LPARAM l) { return input_.OnLButtonDown(w, l); }
  INT_PTR OnLButtonUp(WPARAM w, LPARAM l) { return input_.OnLButtonUp(w, l); }
  INT_PTR OnStepDelayCommit(WPARAM w, LPARAM l) { return input_.OnStepDelayCommit(w, l); }
  INT_PTR OnTimer(WPARAM w, LPARAM) { return appProfiles_.OnTimer(w) ? TRUE : FALSE; }
  INT_PTR OnRButtonUp(WPARAM, LPARAM l) {
    appProfiles_.OnRightButtonUp(static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
    return TRUE;
  }
  INT_PTR Answer(LRESULT result);

  void ToggleIndicator();
  void ShowAndRestore();
  void ShowTrayMenu();

  MainWindowParts parts_;
  MainWindowExit exit_{parts_};
  AppProfilesShell appProfiles_;
  MainWindowHooks hooks_;
  MainWindowInput input_;
  MainWindowStartup startup_{parts_, exit_, input_};
  StartupStepsWrapper wrapStartupSteps_;
  StartupOutcome outcome_ = StartupOutcome::Running;
  std::vector<MessageFilter> filters_;
  PageRenderer renderer_;
  ChildControlColours controlColours_;
  IndicatorWindow indicator_;
  IndicatorGate indicatorGate_;
};

}  // namespace zr
