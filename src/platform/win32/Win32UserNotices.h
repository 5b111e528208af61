#pragma once

#include <windows.h>

#include <string>

#include "platform/UserNotices.h"

namespace zr {

class Win32UserNotices final : public UserNotices {
 public:
  // Without an owner the message box is a top-level window of its own, as
  // before the main window exists.
  explicit Win32UserNotices(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }

  // Without a caption the box carries the executable's base name.
  void ShowMessage(std::u16string_view text, std::u16string_view caption = {}) override;

 private:
  HWND owner_;
  std::u16string defaultCaption_;
};

// The executable's file name without directory and extension.
std::u16string ExecutableCaption();

}  // namespace zr
