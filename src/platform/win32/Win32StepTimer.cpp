// Windows sleeps in clock ticks of 15.6 ms by default, so Sleep(15) may last
// 31 ms. A high-resolution waitable timer (Windows 10 1803 and later) waits to
// well under a millisecond without touching the system-wide resolution; older
// systems get an ordinary waitable timer with the resolution raised to 1 ms,
// and only while a macro plays, since a raised resolution costs the whole
// system power. Either way the wait is one WaitForMultipleObjects on the timer
// and two events, so a removal or a stop ends a step of any length at once.
#include <windows.h>
#include <mmsystem.h>

#include <array>

#include "platform/StepTimer.h"
#include "platform/win32/Handles.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace zr {
namespace {

HANDLE CreateStepTimer(bool& highResolution) {
  HANDLE timer = ::CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  highResolution = timer != nullptr;
  if (!timer) timer = ::CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
  return timer;
}

class Win32StepTimer final : public StepTimer {
 public:
  Win32StepTimer()
      : timer_(CreateStepTimer(highResolution_)),
        interrupted_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        closed_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

  ~Win32StepTimer() override {
    while (raisedResolution_ > 0) EndPlayback();
  }

  void BeginPlayback() override {
    if (interrupted_) ::ResetEvent(interrupted_.get());
    if (highResolution_) return;
    if (::timeBeginPeriod(1) == TIMERR_NOERROR) ++raisedResolution_;
  }

  void EndPlayback() override {
    if (raisedResolution_ == 0) return;
    ::timeEndPeriod(1);
    --raisedResolution_;
  }

  bool Wait(std::uint32_t milliseconds) override {
    if (!timer_ || !interrupted_ || !closed_) return WaitWithoutTimer(milliseconds);
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>(milliseconds) * 10000;  // relative, in 100 ns units
    if (!::SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE)) return WaitWithoutTimer(milliseconds);
    // The events come first: a wait that was ended before it began must not
    // count as one that ran its time because the timer fired too.
    const std::array<HANDLE, 3> waits = {closed_.get(), interrupted_.get(), timer_.get()};
    const DWORD woken = ::WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, INFINITE);
    if (woken == WAIT_OBJECT_0 + 2) return true;
    ::CancelWaitableTimer(timer_.get());
    return false;
  }

  void Interrupt() override {
    if (interrupted_) ::SetEvent(interrupted_.get());
  }

  void Close() override {
    if (closed_) ::SetEvent(closed_.get());
  }

 private:
  // Without a timer the events still end the wait; only its precision suffers.
  bool WaitWithoutTimer(std::uint32_t milliseconds) {
    const std::array<HANDLE, 2> waits = {closed_.get(), interrupted_.get()};
    if (!waits[0] || !waits[1]) {
      ::Sleep(milliseconds);
      return true;
    }
    return ::WaitForMultipleObjects(2, waits.data(), FALSE, milliseconds) == WAIT_TIMEOUT;
  }

  bool highResolution_ = false;
  UniqueKernelHandle timer_;
  UniqueKernelHandle interrupted_;
  UniqueKernelHandle closed_;
  int raisedResolution_ = 0;
};

}  // namespace

std::unique_ptr<StepTimer> MakeSystemStepTimer() { return std::make_unique<Win32StepTimer>(); }

}  // namespace zr
