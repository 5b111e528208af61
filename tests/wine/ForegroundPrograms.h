// Another program's window coming to the front while the real main window
// runs on a copy of the shipped data: what the per-program profile tests and
// the foreground-switch timing harness both start from.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"
#include "wine/MessagePump.h"
#include "wine/UtilityProcess.h"

namespace zr::test {

inline HWND VisibleWindowOf(DWORD process) {
  struct Search {
    DWORD process;
    HWND found;
  } search{process, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner != s.process || !::IsWindowVisible(window)) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// One of Wine's own programs, started and shown; ended with the object.
// Wine's notepad takes the keyboard focus when it comes to the front.
class ShownProgram {
 public:
  explicit ShownProgram(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
      return;
    ::CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    WaitUntil(10000, [&] { return (window = VisibleWindowOf(info.dwProcessId)) != nullptr; });
  }
  ShownProgram(const ShownProgram&) = delete;
  ShownProgram& operator=(const ShownProgram&) = delete;
  ~ShownProgram() {
    if (!process_) return;
    ::TerminateProcess(process_.get(), 0);
    ::WaitForSingleObject(process_.get(), 10000);
  }
  HWND window = nullptr;

 private:
  UniqueKernelHandle process_;
};

// The one binding of the copied config.ini: `program` gets `configuration`.
inline void BindOneProgram(const std::wstring& configFile, const std::wstring& program, int configuration) {
  const std::wstring binding = program + L"|" + std::to_wstring(configuration);
  ::WritePrivateProfileStringW(L"AppProfiles", L"Count", L"1", configFile.c_str());
  ::WritePrivateProfileStringW(L"AppProfiles", L"App0", binding.c_str(), configFile.c_str());
}

}  // namespace zr::test
