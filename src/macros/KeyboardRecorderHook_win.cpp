#include "macros/KeyboardRecorderHook_win.h"

#include <atomic>

#include "macros/RecorderKeyGate.h"
#include "platform/win32/ExceptionBarrier.h"

namespace zr {
namespace {

// The hook procedure has no context of its own; there is one recorder. The
// system calls the procedure on the thread that installed it, the same one
// that installs and removes it, so the gate needs no lock.
std::atomic<HWND> target{nullptr};
RecorderKeyGate gate;

bool IsKeyMessage(WPARAM message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

LRESULT TakeKey(int code, WPARAM message, LPARAM data) {
  if (code < 0 || !IsKeyMessage(message)) return ::CallNextHookEx(nullptr, code, message, data);
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  // A key the recording did not see go down is left to the system, or it
  // would stay held there after the recording.
  if (!gate.Take(key->vkCode, down)) return ::CallNextHookEx(nullptr, code, message, data);
  const WPARAM packed = MAKEWPARAM(static_cast<WORD>(key->vkCode & 0xFFFF), static_cast<WORD>(message));
  // The event's own time: the window may get round to the message much later.
  ::PostMessageW(target.load(), kRecorderKeyMessage, packed, static_cast<LPARAM>(key->time));
  return 1;
}

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM data) {
  return ExceptionBarrier(
      "recorder's keyboard hook", [&] { return TakeKey(code, message, data); },
      [&] { return ::CallNextHookEx(nullptr, code, message, data); });
}

}  // namespace

KeyMessage KeyMessageFromRecorderMessage(WPARAM wParam, LPARAM lParam) {
  return {HIWORD(wParam), LOWORD(wParam), static_cast<std::uint32_t>(lParam)};
}

void Win32KeyboardHook::SetTarget(HWND window) { target.store(window); }

bool Win32KeyboardHook::Install() {
  if (hook_) return true;
  if (target.load() == nullptr) return false;
  gate.Begin([](std::uint32_t vk) { return (::GetAsyncKeyState(static_cast<int>(vk)) & 0x8000) != 0; });
  hook_.reset(::SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHookProc, ::GetModuleHandleW(nullptr), 0));
  return static_cast<bool>(hook_);
}

void Win32KeyboardHook::Remove() { hook_.reset(); }

}  // namespace zr
