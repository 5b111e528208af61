#include "platform/win32/Win32UserNotices.h"

#include <array>

#include "platform/Text.h"
#include "platform/win32/WideText.h"

namespace zr {

std::u16string ExecutableCaption() {
  std::array<wchar_t, MAX_PATH> path{};
  const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  std::u16string modulePath(length, u'\0');
  for (DWORD i = 0; i < length; ++i) modulePath[i] = static_cast<char16_t>(path[i]);
  return ExecutableBaseName(modulePath);
}

void Win32UserNotices::ShowMessage(std::u16string_view text, std::u16string_view caption) {
  // A null caption would make the system print its own ("Error"); the
  // utility's boxes carry the executable's name unless told otherwise.
  if (defaultCaption_.empty()) defaultCaption_ = ExecutableCaption();
  const std::wstring textW = Wide(text), captionW = Wide(caption.empty() ? defaultCaption_ : caption);
  ::MessageBoxW(owner_, textW.c_str(), captionW.c_str(), MB_OK);
}

}  // namespace zr
