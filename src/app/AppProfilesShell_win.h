// Per-program profiles on the main window: the foreground watch feeding the
// follower, the follower's switches carried out as Profile + Apply, and the
// right-click menu of the Profile 1–5 spots with its open-file dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "app/AppState.h"
#include "app/ForegroundWatch_win.h"
#include "app/ProfileFollower.h"
#include "platform/ProfileFiles.h"
#include "platform/UserNotices.h"
#include "skin/KvxMenu_win.h"

namespace zr {

class AppProfilesShell {
 public:
  // `download` is the window's download, repaint included.
  AppProfilesShell(AppState& state, ProfileFiles& files, UserNotices& notices, std::function<void()> download);
  AppProfilesShell(const AppProfilesShell&) = delete;
  AppProfilesShell& operator=(const AppProfilesShell&) = delete;

  // After the start-up download: the rule once for the window in front, then
  // the events.
  void Start(HWND window);
  void Stop() { watch_.Unwatch(); }

  // WM_TIMER; true when it was the settle timer's.
  bool OnTimer(WPARAM timerId);
  // WM_RBUTTONUP at a client point: the menu of a Profile spot, if on one.
  void OnRightButtonUp(std::int32_t x, std::int32_t y);

  // Where each switch is announced: (configuration, program file name).
  void SetAnnouncer(ProfileSwitchAnnouncer announcer);

  // The person's own choices (see ProfileFollower); nothing before Start.
  void ConfigurationChosen();
  void Applied();
  void FactoryResetDone();

 private:
  void AskForProgram(std::int32_t configuration);

  AppState& state_;
  ProfileFiles& files_;
  UserNotices& notices_;
  std::function<void()> download_;
  ProfileSwitchAnnouncer announcer_;
  HWND window_ = nullptr;
  ForegroundWatch watch_;
  // Made at the start, once the paths are known.
  std::optional<ProfileFollower> follower_;
  CKvxMenu menu_;
};

}  // namespace zr
