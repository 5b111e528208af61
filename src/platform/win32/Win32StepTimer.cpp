// Windows sleeps in clock ticks of 15.6 ms by default, so Sleep(15) may last
// 31 ms. A high-resolution waitable timer (Windows 10 1803 and later) waits to
// well under a millisecond without touching the system-wide resolution; older
// systems get Sleep with the resolution raised to 1 ms, and only while a
// macro plays, since a raised resolution costs the whole system power.
#include <windows.h>
#include <mmsystem.h>

#include "platform/StepTimer.h"
#include "platform/win32/Handles.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace zr {
namespace {

class Win32StepTimer final : public StepTimer {
 public:
  Win32StepTimer()
      : timer_(::CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS)) {}

  ~Win32StepTimer() override {
    while (raisedResolution_ > 0) EndPlayback();
  }

  void BeginPlayback() override {
    if (timer_) return;
    if (::timeBeginPeriod(1) == TIMERR_NOERROR) ++raisedResolution_;
  }

  void EndPlayback() override {
    if (raisedResolution_ == 0) return;
    ::timeEndPeriod(1);
    --raisedResolution_;
  }

  void SleepFor(std::chrono::milliseconds duration) override {
    const auto milliseconds = static_cast<DWORD>(duration.count() < 0 ? 0 : duration.count());
    if (timer_) {
      LARGE_INTEGER due{};
      due.QuadPart = -static_cast<LONGLONG>(milliseconds) * 10000;  // relative, in 100 ns units
      if (::SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE) &&
          ::WaitForSingleObject(timer_.get(), INFINITE) == WAIT_OBJECT_0)
        return;
    }
    ::Sleep(milliseconds);
  }

 private:
  UniqueKernelHandle timer_;
  int raisedResolution_ = 0;
};

}  // namespace

std::unique_ptr<StepTimer> MakeSystemStepTimer() { return std::make_unique<Win32StepTimer>(); }

}  // namespace zr
