// The one notification-area icon of the process.
#pragma once

#include <windows.h>

namespace zr {

class TrayIcon {
 public:
  // Adds the icon unless this process shows it already; a failed add (no
  // notification area) can be tried again later.
  bool Add(HWND owner, HICON icon);
  void Remove(HWND owner);
  bool Shown() const { return shown_; }

 private:
  bool shown_ = false;
};

}  // namespace zr
