#include "app/ExitProcedure.h"

namespace zr {

bool ExitProcedure::Run() {
  if (ran_) return false;
  ran_ = true;  // before any step: a step that asks for the exit again is a no-op
  actions_.RemoveTrayIcon();
  for (const auto& step : shutdownSteps_) step();
  // The threads end before the driver-exit report, so a macro's last
  // release cannot follow it and the exit report is the last the mouse hears.
  actions_.StopDeviceThreads();
  actions_.SendDriverExit();
  if (system_.MouseSpeed()) system_.SetMouseSpeed(kPointerSpeedAtExit);
  actions_.DestroyMainWindow();
  return true;
}

}  // namespace zr
