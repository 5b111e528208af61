#include "platform/win32/Win32ProcessServices.h"

#include <commctrl.h>

#include "platform/win32/WideText.h"

namespace zr {

bool Win32ProcessServices::AcquireInstanceMutex(std::u16string_view name) {
  // No "Global\" prefix: the name lives in this logon session's namespace.
  const std::wstring mutexName = Wide(name);
  mutex_.reset(::CreateMutexW(nullptr, FALSE, mutexName.c_str()));
  return ::GetLastError() == ERROR_ALREADY_EXISTS;
}

void Win32ProcessServices::ReleaseInstanceMutex() { mutex_.reset(); }

void Win32ProcessServices::RestoreWindowByTitle(std::u16string_view title) {
  const std::wstring text = Wide(title);
  if (HWND window = ::FindWindowW(nullptr, text.c_str())) ::ShowWindow(window, SW_RESTORE);
}

void Win32ProcessServices::InitCommonControls() {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
}

}  // namespace zr
