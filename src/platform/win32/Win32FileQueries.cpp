#include "platform/win32/Win32FileQueries.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace zr {

bool Win32FileQueries::Exists(std::u16string_view path) {
  const std::wstring pathW = Wide(path);
  return ::GetFileAttributesW(pathW.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace zr
