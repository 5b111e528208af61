// The About box of the system menu: text and an OK button, nothing more.
#pragma once

#include <windows.h>

#include "platform/win32/Dialog.h"

namespace zr {

class CAboutDlg final : public Dialog {
 public:
  void Run(HINSTANCE instance, HWND owner);

 protected:
  std::span<const MessageEntry> Messages() const override;

 private:
  INT_PTR OnInitDialog(WPARAM, LPARAM) { return TRUE; }
  INT_PTR OnCommand(WPARAM wParam, LPARAM);
};

}  // namespace zr
