#include "skin/WindowSkinNotices_win.h"

#include "platform/win32/WideText.h"

namespace zr {

void WindowSkinNotices::ShowMessage(std::u16string_view text) {
  const std::wstring message = Wide(text), caption = Wide(caption_);
  ::MessageBoxW(owner_, message.c_str(), caption.c_str(), MB_OK);
}

void WindowSkinNotices::RequestExit() {
  if (exitProcedure_) exitProcedure_();
}

}  // namespace zr
