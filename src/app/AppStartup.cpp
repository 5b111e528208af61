#include "app/AppStartup.h"

#include "app/AppPaths.h"
#include "app/WindowCommands.h"

namespace zr {
namespace {

// The running instance is ended the way "Exit Driver" in its tray menu ends
// it, so the mouse hears the driver-exit report and the pointer speed goes
// back. This process never runs a window of its own.
int EndRunningInstance(ProcessServices& process) {
  if (!process.AcquireInstanceMutex(kInstanceMutexName)) {
    process.ReleaseInstanceMutex();
    return kExitNothingRunning;
  }
  const EndRequest result = process.EndWindowByCommand(kMainWindowTitle, kCommandExitDriver);
  process.ReleaseInstanceMutex();
  return result == EndRequest::Ended ? kExitEndedRunning : kExitStillRunning;
}

}  // namespace

bool InitInstance(ProcessServices& process, StartMode mode) {
  if (process.AcquireInstanceMutex(kInstanceMutexName)) {
    process.RestoreWindowByTitle(kMainWindowTitle);
    process.ReleaseInstanceMutex();
    return false;
  }
  process.InitCommonControls();
  process.RunMainDialog(mode == StartMode::Tray ? MainWindowStart::InTray : MainWindowStart::Shown);
  return false;
}

int RunProcess(ProcessServices& process, std::u16string_view arguments) {
  const StartMode mode = ParseCommandLine(arguments);
  if (mode == StartMode::EndRunning) return EndRunningInstance(process);
  InitInstance(process, mode);
  return 0;
}

}  // namespace zr
