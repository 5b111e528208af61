#include "platform/win32/SystemDllSearch.h"

#include <windows.h>

namespace zr {

bool RestrictDllSearchToSystem() {
  // Looked up rather than imported, so the program still starts where the
  // call does not exist.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return false;
  auto setDirectories =
      reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDirectories == nullptr || !setDirectories(kSearchSystem32)) return false;
  // The current folder is not searched either, whatever the caller's folder is.
  ::SetDllDirectoryW(L"");
  return true;
}

}  // namespace zr
