// Starting the built utility as a process of its own and waiting, always
// with a bound, for what it shows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/Handles.h"

namespace zr::test {

inline constexpr wchar_t kUtilityTitle[] = L"ZR305 Gaming Mouse Driver";
inline constexpr wchar_t kExecutableName[] = L"ZR280S Gaming Mouse Driver";

inline bool WaitUntil(DWORD timeoutMs, const std::function<bool()>& condition) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    if (condition()) return true;
    ::Sleep(50);
  }
  return condition();
}

inline HWND WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(timeoutMs, [&] { return (found = ::FindWindowW(className, title)) != nullptr; });
  return found;
}

struct Started {
  UniqueKernelHandle process;
  DWORD processId = 0;
  bool ok = false;
};

inline Started StartUtility(const std::wstring& dist) {
  std::wstring exe = dist + L"\\" + kExecutableName + L".exe";
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  Started started;
  started.ok = ::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dist.c_str(),
                                &startup, &info) != FALSE;
  if (started.ok) {
    ::CloseHandle(info.hThread);
    started.process.reset(info.hProcess);
    started.processId = info.dwProcessId;
  }
  return started;
}

// Ends a utility a test left running, so no instance outlives its test.
inline void EndUtility(Started& started) {
  if (!started.process) return;
  if (::WaitForSingleObject(started.process.get(), 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(started.process.get(), 0);
    ::WaitForSingleObject(started.process.get(), 10000);
  }
  started.process.reset();
}

}  // namespace zr::test
