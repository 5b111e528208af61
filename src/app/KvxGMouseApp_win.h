// The application object: computes the application directory when it is
// constructed and runs the main dialog from its instance initialisation.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "app/AppState.h"
#include "platform/win32/Win32ProfileFiles.h"

namespace zr {

class CKVX_GMouseApp {
 public:
  CKVX_GMouseApp();
  // Runs the process as its arguments ask; returns the process's exit code.
  int InitInstance(HINSTANCE instance, std::u16string_view arguments);

  AppState& State() { return state_; }

 private:
  AppState state_;
  std::u16string modulePath_;
  Win32ProfileFiles profileFiles_;
};

}  // namespace zr
