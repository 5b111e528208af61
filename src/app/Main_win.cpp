// Process entry of the utility.
#include <windows.h>

#include "app/KvxGMouseApp_win.h"

namespace {
zr::CKVX_GMouseApp theApp;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  theApp.InitInstance(instance);
  return 0;
}
