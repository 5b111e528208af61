// The application object: computes the application directory when it is
// constructed and runs the main dialog from its instance initialisation.
#pragma once

#include <windows.h>

#include <string>

#include "app/AppState.h"
#include "platform/win32/Win32ProfileFiles.h"

namespace zr {

class CKVX_GMouseApp {
 public:
  CKVX_GMouseApp();
  // Always false: the process ends when it returns.
  bool InitInstance(HINSTANCE instance);

  AppState& State() { return state_; }

 private:
  AppState state_;
  std::u16string modulePath_;
  Win32ProfileFiles profileFiles_;
};

}  // namespace zr
