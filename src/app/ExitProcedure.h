// The only way the utility ends: the tray icon goes, whatever else runs is
// stopped, the mouse and the pointer speed are put back into their plain
// state, and the main window is destroyed. Callers come from everywhere (the
// tray menu, no mouse at start, the mouse's removal, a missing layout file),
// sometimes one inside another, so it runs at most once.
#pragma once

#include <functional>
#include <vector>

#include "platform/SystemSettings.h"

namespace zr {

inline constexpr std::int32_t kPointerSpeedAtExit = 10;

class ExitActions {
 public:
  virtual ~ExitActions() = default;
  virtual void RemoveTrayIcon() = 0;
  // Returns once both device threads have ended, a playing macro with
  // everything released.
  virtual void StopDeviceThreads() = 0;
  // 07 20 00 00, unless the feature handle is the invalid handle value.
  virtual void SendDriverExit() = 0;
  virtual void DestroyMainWindow() = 0;
};

class ExitProcedure {
 public:
  ExitProcedure(ExitActions& actions, SystemSettings& system) : actions_(actions), system_(system) {}
  ExitProcedure(const ExitProcedure&) = delete;
  ExitProcedure& operator=(const ExitProcedure&) = delete;

  // Run in the order added, after the icon is removed and before the device
  // threads stop (a colour-preview worker, the keyboard hook).
  void AddShutdownStep(std::function<void()> step) { shutdownSteps_.push_back(std::move(step)); }

  // False when it has run already (or is running): nothing happens again.
  bool Run();
  bool HasRun() const { return ran_; }

 private:
  ExitActions& actions_;
  SystemSettings& system_;
  std::vector<std::function<void()>> shutdownSteps_;
  bool ran_ = false;
};

}  // namespace zr
