// Process entry of the utility.
#include <windows.h>

#include "app/KvxGMouseApp_win.h"
#include "platform/win32/SystemDllSearch.h"
#include "platform/win32/WideText.h"

namespace {
zr::CKVX_GMouseApp theApp;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  // Before anything loads a library: none may come from the program's folder.
  zr::RestrictDllSearchToSystem();
  return theApp.InitInstance(instance, zr::FromWide(arguments != nullptr ? arguments : L""));
}
