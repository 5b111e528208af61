#include "platform/win32/Win32ProgramStarter.h"

#include <windows.h>

#include <array>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace zr {

std::wstring SystemProgramPath(std::u16string_view fileName) {
  if (fileName.empty() || fileName.find_first_of(u"\\/:") != std::u16string_view::npos) return {};
  std::array<wchar_t, MAX_PATH> directory{};
  const UINT length = ::GetSystemDirectoryW(directory.data(), static_cast<UINT>(directory.size()));
  if (length == 0 || length >= directory.size()) return {};
  return std::wstring(directory.data(), length) + L"\\" + Wide(fileName);
}

void Win32ProgramStarter::StartSystemProgram(std::u16string_view fileName) {
  const std::wstring path = SystemProgramPath(fileName);
  if (path.empty()) return;
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION process{};
  if (::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
    UniqueKernelHandle thread(process.hThread);
    UniqueKernelHandle started(process.hProcess);
  }
}

}  // namespace zr
