#include "app/KvxGMouseApp_win.h"

#include <array>

#include "app/AppStartup.h"
#include "app/KvxGMouseDlg_win.h"
#include "app/StartupSequence.h"
#include "platform/ProgramHidBus.h"
#include "platform/win32/Win32ProcessServices.h"
#include "platform/win32/WideText.h"

namespace zr {

CKVX_GMouseApp::CKVX_GMouseApp() {
  std::array<wchar_t, kMaxPath> modulePath{};
  const DWORD length = ::GetModuleFileNameW(nullptr, modulePath.data(), static_cast<DWORD>(modulePath.size()));
  modulePath_ = FromWide(std::wstring_view(modulePath.data(), length));
  state_.paths.applicationDirectory = ApplicationDirectoryFromModulePath(modulePath_);
}

int CKVX_GMouseApp::InitInstance(HINSTANCE instance, std::u16string_view arguments) {
  Win32ProcessServices process([&](MainWindowStart start) {
    CKVX_GMouseDlg dialog(instance, state_, profileFiles_, ProgramHidBus(), ApplicationName(modulePath_));
    dialog.Run(start);
  });
  return RunProcess(process, arguments);
}

}  // namespace zr
