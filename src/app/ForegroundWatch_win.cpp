#include "app/ForegroundWatch_win.h"

#include <array>

#include "platform/win32/ExceptionBarrier.h"
#include "platform/win32/WideText.h"

namespace zr {
namespace {

// The hook procedure has no context of its own; there is one watch.
ForegroundWatch* watching = nullptr;

}  // namespace

ForegroundProgram ProgramOfWindow(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process == ::GetCurrentProcessId()) return {true, {}};
  UniqueKernelHandle handle(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
  if (!handle) return {false, {}};
  std::array<wchar_t, 1024> path{};
  DWORD size = static_cast<DWORD>(path.size());
  if (!::QueryFullProcessImageNameW(handle.get(), 0, path.data(), &size)) return {false, {}};
  return {false, FromWide(std::wstring_view(path.data(), size))};
}

bool ForegroundWatch::Watch(HWND owner, Changed changed) {
  Unwatch();
  owner_ = owner;
  changed_ = std::move(changed);
  watching = this;
  lastForeground_ = ::GetForegroundWindow();
  // Windows reports the foreground; Wine 8 reports only the focus, which a
  // window that takes the keyboard gets as it comes to the front.
  foregroundHook_.reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, EventProc, 0, 0,
                                          WINEVENT_OUTOFCONTEXT));
  focusHook_.reset(
      ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, EventProc, 0, 0, WINEVENT_OUTOFCONTEXT));
  return foregroundHook_ || focusHook_;
}

void ForegroundWatch::Unwatch() {
  foregroundHook_.reset();
  focusHook_.reset();
  Stop();
  if (watching == this) watching = nullptr;
}

void ForegroundWatch::Start(std::chrono::milliseconds delay) {
  if (owner_ == nullptr) return;
  // SetTimer with the same id replaces the pending expiry.
  ::SetTimer(owner_, kTimerId, static_cast<UINT>(delay.count() < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : delay.count()),
             nullptr);
  timerRunning_ = true;
}

void ForegroundWatch::Stop() {
  if (timerRunning_ && owner_ != nullptr) ::KillTimer(owner_, kTimerId);
  timerRunning_ = false;
}

bool ForegroundWatch::OnTimer(WPARAM timerId) {
  if (timerId != kTimerId) return false;
  Stop();  // one shot
  return true;
}

void CALLBACK ForegroundWatch::EventProc(HWINEVENTHOOK, DWORD event, HWND, LONG, LONG, DWORD, DWORD eventTime) {
  // A lost event only leaves the mouse as it is.
  ExceptionBarrier("foreground watch's event procedure", [&] {
    if (watching != nullptr && (event == EVENT_SYSTEM_FOREGROUND || event == EVENT_OBJECT_FOCUS))
      watching->OnEvent(eventTime);
  });
}

void ForegroundWatch::OnEvent(DWORD eventTime) {
  // Whatever the event names, only the window in front counts; focus moving
  // inside the same window is no change.
  HWND front = ::GetForegroundWindow();
  if (front == nullptr || front == lastForeground_) return;
  lastForeground_ = front;
  if (changed_) changed_(ProgramOfWindow(front), static_cast<std::uint32_t>(eventTime));
}

}  // namespace zr
