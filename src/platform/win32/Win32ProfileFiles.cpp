#include "platform/win32/Win32ProfileFiles.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/WideText.h"

namespace zr {

std::u16string Win32ProfileFiles::ReadString(std::u16string_view section, std::u16string_view key,
                                             std::u16string_view defaultValue, std::size_t bufferSize,
                                             std::u16string_view path) {
  if (bufferSize == 0) return {};
  const std::wstring sectionW = Wide(section), keyW = Wide(key), defaultW = Wide(defaultValue), pathW = Wide(path);
  std::vector<wchar_t> buffer(bufferSize + 1, L'\0');  // one spare unit keeps the result terminated whatever happens
  DWORD length = 0;
  {
    // The profile functions keep the file open while they read it, and an
    // open file cannot be replaced: a save of this process waits instead.
    const std::unique_lock<std::mutex> lock = LockProfileFile(path);
    length = GetPrivateProfileStringW(sectionW.c_str(), keyW.c_str(), defaultW.c_str(), buffer.data(),
                                      static_cast<DWORD>(bufferSize), pathW.c_str());
  }
  return FromWide(std::wstring_view(buffer.data(), std::min<std::size_t>(length, bufferSize - 1)));
}

bool Win32ProfileFiles::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                                    std::u16string_view path) {
  const ProfileWrite write{std::u16string(section), std::u16string(key), std::u16string(value)};
  return writer_.Write(std::span(&write, 1), path);
}

bool Win32ProfileFiles::WriteStrings(std::span<const ProfileWrite> writes, std::u16string_view path) {
  return writer_.Write(writes, path);
}

}  // namespace zr
