// The main window's part in the exit procedure: the tray icon, the device
// side and the window itself. The procedure decides the order.
#pragma once

#include "app/ExitProcedure.h"
#include "app/MainWindowParts_win.h"

namespace zr {

class MainWindowExit final : private ExitActions {
 public:
  explicit MainWindowExit(MainWindowParts& parts) : parts_(parts), procedure_(*this, parts.system) {}

  ExitProcedure& Procedure() { return procedure_; }
  // Safe to call again and from inside itself.
  void Run() { procedure_.Run(); }
  bool HasRun() const { return procedure_.HasRun(); }

 private:
  void RemoveTrayIcon() override { parts_.tray.Remove(parts_.Window()); }
  void StopDeviceThreads() override { parts_.device.StopThreads(); }
  void SendDriverExit() override { parts_.device.SendDriverExit(); }
  void DestroyMainWindow() override {
    if (HWND window = parts_.Window()) ::DestroyWindow(window);
  }

  MainWindowParts& parts_;
  ExitProcedure procedure_;
};

}  // namespace zr
