#include "app/TrayIcon_win.h"

#include <shellapi.h>

#include <cwchar>

#include "app/AppPaths.h"
#include "app/WindowCommands.h"
#include "platform/win32/WideText.h"

namespace zr {
namespace {

// The layout with guidItem and without hBalloonIcon, which every shell since
// Windows XP accepts: 952 bytes in a 32-bit build.
constexpr DWORD kRecordSize = NOTIFYICONDATAW_V3_SIZE;
#if !defined(_WIN64)
static_assert(NOTIFYICONDATAW_V3_SIZE == 952);
#endif

NOTIFYICONDATAW Record(HWND owner, std::wstring_view tip) {
  NOTIFYICONDATAW data{};
  data.cbSize = kRecordSize;
  data.hWnd = owner;
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  const std::size_t length = tip.size() < std::size(data.szTip) - 1 ? tip.size() : std::size(data.szTip) - 1;
  std::wmemcpy(data.szTip, tip.data(), length);
  return data;
}

}  // namespace

bool TrayIcon::Add(HWND owner, HICON icon) {
  wanted_ = true;
  const std::wstring tip = Wide(kMainWindowTitle);
  NOTIFYICONDATAW data = Record(owner, tip);
  data.hIcon = icon;
  return ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool TrayIcon::Restore(HWND owner, HICON icon) { return wanted_ && Add(owner, icon); }

void TrayIcon::Remove(HWND owner) {
  // The tooltip plays no part in a removal.
  NOTIFYICONDATAW data = Record(owner, L"KVX_GMouse");
  ::Shell_NotifyIconW(NIM_DELETE, &data);
  wanted_ = false;
}

UINT TrayIcon::ShellRestartMessage() {
  static const UINT message = [] {
    const UINT registered = ::RegisterWindowMessageW(L"TaskbarCreated");
    // Zero would be WM_NULL, which the tray menu posts to itself.
    return registered != 0 ? registered : 0xFFFFFFFFu;
  }();
  return message;
}

void TrayIcon::AcceptShellRestartMessage(HWND owner) {
  // Looked up rather than imported: systems before Windows 7 lack it and
  // deliver the broadcast anyway.
  using Filter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  FARPROC found = user32 != nullptr ? ::GetProcAddress(user32, "ChangeWindowMessageFilterEx") : nullptr;
  if (found == nullptr) return;
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
  reinterpret_cast<Filter>(reinterpret_cast<void*>(found))(owner, ShellRestartMessage(), kAllow, nullptr);
}

}  // namespace zr
