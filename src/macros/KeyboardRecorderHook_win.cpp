#include "macros/KeyboardRecorderHook_win.h"

#include <atomic>

namespace zr {
namespace {

// The hook procedure has no context of its own; there is one recorder.
std::atomic<HWND> target{nullptr};

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM message, LPARAM data) {
  if (code < 0) return ::CallNextHookEx(nullptr, code, message, data);
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
  if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) {
    const WPARAM packed = MAKEWPARAM(static_cast<WORD>(key->vkCode & 0xFFFF), static_cast<WORD>(message));
    ::PostMessageW(target.load(), kRecorderKeyMessage, packed, static_cast<LPARAM>(UtcMillisecondOfDay()));
  }
  // Swallowed: while recording, the keys are the recorder's alone.
  return 1;
}

}  // namespace

KeyMessage KeyMessageFromRecorderMessage(WPARAM wParam, LPARAM lParam) {
  return {HIWORD(wParam), LOWORD(wParam), static_cast<std::uint32_t>(lParam)};
}

std::uint32_t UtcMillisecondOfDay() {
  SYSTEMTIME now{};
  ::GetSystemTime(&now);
  return ((now.wHour * 60u + now.wMinute) * 60u + now.wSecond) * 1000u + now.wMilliseconds;
}

void Win32KeyboardHook::SetTarget(HWND window) { target.store(window); }

bool Win32KeyboardHook::Install() {
  if (hook_) return true;
  if (target.load() == nullptr) return false;
  hook_.reset(::SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHookProc, ::GetModuleHandleW(nullptr), 0));
  return static_cast<bool>(hook_);
}

void Win32KeyboardHook::Remove() { hook_.reset(); }

}  // namespace zr
