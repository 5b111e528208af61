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
  const DWORD length = GetPrivateProfileStringW(sectionW.c_str(), keyW.c_str(), defaultW.c_str(), buffer.data(),
                                                static_cast<DWORD>(bufferSize), pathW.c_str());
  return FromWide(std::wstring_view(buffer.data(), std::min<std::size_t>(length, bufferSize - 1)));
}

bool Win32ProfileFiles::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                                    std::u16string_view path) {
  const std::wstring sectionW = Wide(section), keyW = Wide(key), valueW = Wide(value), pathW = Wide(path);
  return WritePrivateProfileStringW(sectionW.c_str(), keyW.c_str(), valueW.c_str(), pathW.c_str()) != FALSE;
}

}  // namespace zr
