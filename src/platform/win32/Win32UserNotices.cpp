#include "platform/win32/Win32UserNotices.h"

#include "platform/win32/WideText.h"

namespace zr {

void Win32UserNotices::ShowMessage(std::u16string_view text, std::u16string_view caption) {
  const std::wstring textW = Wide(text), captionW = Wide(caption);
  // A null caption, not an empty one, makes the system put its own ("Error") there.
  ::MessageBoxW(owner_, textW.c_str(), caption.empty() ? nullptr : captionW.c_str(), MB_OK);
}

}  // namespace zr
