// The window events that tell the utility a window came to the front, and
// the one-shot timer and tick clock the profile follower settles them with.
// Nothing runs while nothing changes: the events arrive as messages on the
// interface thread (out of context), and the timer exists only from an event
// to its settling.
#pragma once

#include <windows.h>

#include <functional>

#include "app/ProfileFollower.h"
#include "platform/win32/Handles.h"

namespace zr {

inline void UnhookWinEventHook(HWINEVENTHOOK hook) { ::UnhookWinEvent(hook); }
using UniqueWinEventHook = UniqueHandle<HWINEVENTHOOK, UnhookWinEventHook>;

// The program that owns a window: the utility itself, or the path of the
// executable of another process (empty when the system will not tell).
ForegroundProgram ProgramOfWindow(HWND window);

class ForegroundWatch final : public OneShotTimer, public TickClock {
 public:
  using Changed = std::function<void(ForegroundProgram program, std::uint32_t eventTimeMs)>;

  ForegroundWatch() = default;
  ForegroundWatch(const ForegroundWatch&) = delete;
  ForegroundWatch& operator=(const ForegroundWatch&) = delete;
  ~ForegroundWatch() override { Unwatch(); }

  // Hooks the foreground and focus events for the calling thread; `owner`
  // receives the timer's WM_TIMER. One watch per process.
  bool Watch(HWND owner, Changed changed);
  void Unwatch();

  // OneShotTimer, TickClock
  void Start(std::chrono::milliseconds delay) override;
  void Stop() override;
  std::uint32_t NowMs() override { return ::GetTickCount(); }

  // WM_TIMER: true when it is this timer's; it is stopped then.
  bool OnTimer(WPARAM timerId);

  static constexpr UINT_PTR kTimerId = 0x5A31;

 private:
  static void CALLBACK EventProc(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                 DWORD thread, DWORD eventTime);
  void OnEvent(DWORD eventTime);

  HWND owner_ = nullptr;
  Changed changed_;
  UniqueWinEventHook foregroundHook_;
  UniqueWinEventHook focusHook_;
  HWND lastForeground_ = nullptr;
  bool timerRunning_ = false;
};

}  // namespace zr
