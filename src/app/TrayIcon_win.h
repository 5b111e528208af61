// The one notification-area icon of the process.
#pragma once

#include <windows.h>

namespace zr {

class TrayIcon {
 public:
  // Asks the shell for the icon, every time: the shell refuses a second icon
  // of the same id, so asking while it shows one changes nothing, and asking
  // after it lost the icon (it restarted, or someone deleted it) brings it
  // back. From now on the utility wants the icon shown, even when the shell
  // refused it (no notification area yet).
  bool Add(HWND owner, HICON icon);
  // The shell's notification area was created anew (the registered message
  // below): the icon is added again if the utility wants it shown.
  bool Restore(HWND owner, HICON icon);
  void Remove(HWND owner);
  bool Wanted() const { return wanted_; }

  // "TaskbarCreated", which the shell broadcasts when its notification area
  // starts; a value no message has when the system cannot register it.
  static UINT ShellRestartMessage();
  // An elevated window hears that broadcast only when it lets it in.
  static void AcceptShellRestartMessage(HWND owner);

 private:
  bool wanted_ = false;
};

}  // namespace zr
