#include "app/AboutDlg_win.h"

#include <array>

#include "resource.h"

namespace zr {

void CAboutDlg::Run(HINSTANCE instance, HWND owner) { DoModal(instance, IDD_ABOUTBOX, owner); }

std::span<const Dialog::MessageEntry> CAboutDlg::Messages() const {
  static const std::array<MessageEntry, 2> kMessages = {{
      {WM_INITDIALOG, On(&CAboutDlg::OnInitDialog)},
      {WM_COMMAND, On(&CAboutDlg::OnCommand)},
  }};
  return kMessages;
}

INT_PTR CAboutDlg::OnCommand(WPARAM wParam, LPARAM) {
  const WORD command = LOWORD(wParam);
  if (command != IDOK && command != IDCANCEL) return FALSE;
  ::EndDialog(Window(), command);
  return TRUE;
}

}  // namespace zr
