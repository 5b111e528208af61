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

EndRequest Win32ProcessServices::EndWindowByCommand(std::u16string_view title, std::uint32_t command) {
  // A start-up still under way names its window only partway through; give it
  // the time a start takes. Ending includes the driver-exit report and the
  // device threads' stop, which are bounded well below the second wait.
  constexpr DWORD kFindFor = 10000, kPoll = 100, kEndWithin = 15000;
  const std::wstring text = Wide(title);
  HWND window = nullptr;
  for (DWORD waited = 0; (window = ::FindWindowW(nullptr, text.c_str())) == nullptr; waited += kPoll) {
    if (waited >= kFindFor) return EndRequest::NoWindow;
    ::Sleep(kPoll);
  }
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!::PostMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0)) return EndRequest::StillRunning;
  if (!process) {
    // Without a handle to wait on, the window's end stands in for the process's.
    for (DWORD waited = 0; ::IsWindow(window); waited += kPoll) {
      if (waited >= kEndWithin) return EndRequest::StillRunning;
      ::Sleep(kPoll);
    }
    return EndRequest::Ended;
  }
  return ::WaitForSingleObject(process.get(), kEndWithin) == WAIT_OBJECT_0 ? EndRequest::Ended
                                                                          : EndRequest::StillRunning;
}

void Win32ProcessServices::InitCommonControls() {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
}

}  // namespace zr
