// The recorder's system-wide keyboard hook. While it is installed the keys
// pressed reach no application: the hook only posts each key to the main
// window, which records it on its own thread. Keys already held when it goes
// in stay the system's (see RecorderKeyGate).
#pragma once

#include <windows.h>

#include <cstdint>

#include "macros/MacroEditor.h"
#include "macros/MacroEditorViews.h"
#include "platform/win32/Handles.h"

namespace zr {

// What the hook posts for every key going down or up: wParam holds the
// virtual-key code in its low word and the key message's id (WM_KEYDOWN,
// WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP) in its high word; lParam the key
// event's time as the system stamped it (the millisecond tick), which is
// what a window message's time would say. A message of its
// own, so that no key message reaches the dialog's keyboard handling while
// recording, where Escape and Enter would end it.
inline constexpr UINT kRecorderKeyMessage = WM_APP + 0x305;

KeyMessage KeyMessageFromRecorderMessage(WPARAM wParam, LPARAM lParam);

class Win32KeyboardHook final : public KeyboardHook {
 public:
  Win32KeyboardHook() = default;
  Win32KeyboardHook(const Win32KeyboardHook&) = delete;
  Win32KeyboardHook& operator=(const Win32KeyboardHook&) = delete;
  ~Win32KeyboardHook() override { Remove(); }

  // The window the keys are posted to; installing without one fails.
  void SetTarget(HWND window);
  bool Install() override;
  void Remove() override;
  bool Installed() const override { return static_cast<bool>(hook_); }

 private:
  UniqueHook hook_;
};

}  // namespace zr
