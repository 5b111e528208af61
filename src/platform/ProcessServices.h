// What the application object asks of the operating system at start.
#pragma once

#include <cstdint>
#include <string_view>

namespace zr {

enum class MainWindowStart : std::uint8_t {
  Shown,   // the window opens once its initialisation is done
  InTray,  // the window is never shown by the start; only the tray icon appears
};

// What became of a running instance that was asked to end.
enum class EndRequest : std::uint8_t {
  Ended,        // its process is gone
  NoWindow,     // no window with that title appeared in time
  StillRunning, // it was asked and did not end in time
};

class ProcessServices {
 public:
  virtual ~ProcessServices() = default;

  // Creates (or opens) the per-logon named mutex and holds it for the life of
  // the process; true when another instance created it first.
  virtual bool AcquireInstanceMutex(std::u16string_view name) = 0;
  // Lets go of this process's handle, for the instance that found another one.
  virtual void ReleaseInstanceMutex() = 0;
  // Shows and restores the top-level window with exactly this title, if any.
  virtual void RestoreWindowByTitle(std::u16string_view title) = 0;
  virtual void InitCommonControls() = 0;
  // Runs the main dialog modally; returns once it has been destroyed.
  virtual void RunMainDialog(MainWindowStart start) = 0;
  // Sends the top-level window with exactly this title the menu command
  // `command`, as its own menu would, and waits a bounded time for the
  // process that owns it to end.
  virtual EndRequest EndWindowByCommand(std::u16string_view title, std::uint32_t command) = 0;
};

}  // namespace zr
