// What the application object asks of the operating system at start.
#pragma once

#include <string_view>

namespace zr {

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
  virtual void RunMainDialog() = 0;
};

}  // namespace zr
