// Instance initialisation of the application object.
#pragma once

#include <string_view>

#include "app/CommandLine.h"
#include "platform/ProcessServices.h"

namespace zr {

// Lets one instance per logon run the main dialog (shown, or in the tray
// only); a second start restores the first instance's window and ends.
// Always false: the process ends when this returns.
bool InitInstance(ProcessServices& process, StartMode mode = StartMode::Window);

// Exit codes of "/exit", which the installer reads before it replaces files.
inline constexpr int kExitNothingRunning = 0;
inline constexpr int kExitEndedRunning = 2;  // it was running: start it again afterwards
inline constexpr int kExitStillRunning = 1;  // the files are still in use

// The process's whole life from its arguments; returns its exit code.
int RunProcess(ProcessServices& process, std::u16string_view arguments);

}  // namespace zr
