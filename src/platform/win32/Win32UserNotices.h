#pragma once

#include <windows.h>

#include "platform/UserNotices.h"

namespace zr {

class Win32UserNotices final : public UserNotices {
 public:
  // Without an owner the message box is a top-level window of its own, as
  // before the main window exists.
  explicit Win32UserNotices(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }

  void ShowMessage(std::u16string_view text, std::u16string_view caption = {}) override;

 private:
  HWND owner_;
};

}  // namespace zr
