#include "shared/ProfileUnderTest.h"

#include <windows.h>

#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ProfileFiles.h"

namespace zr::test {

std::unique_ptr<ProfileFiles> MakeProfileFilesUnderTest() { return std::make_unique<Win32ProfileFiles>(); }

bool ReadOnlyFilesAreEnforced(std::u16string_view readOnlyFile) {
  const std::wstring path = Wide(readOnlyFile);
  UniqueFileHandle probe(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return !probe;
}

}  // namespace zr::test
