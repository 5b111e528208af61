// How macro playback waits between its steps. The worker asks for the wait
// it needs; the implementation decides how to meet it to the millisecond.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/Sleeper.h"

namespace zr {

class StepTimer : public Sleeper {
 public:
  // A macro starts or ends playing: implementations that must raise the
  // system's timer resolution do it only in between.
  virtual void BeginPlayback() {}
  virtual void EndPlayback() {}
  void Wait(std::uint32_t milliseconds) { SleepFor(std::chrono::milliseconds(milliseconds)); }
};

// The platform's precise timer: on Windows a high-resolution waitable timer,
// or Sleep under a raised timer resolution where the system lacks one; on
// other systems the standard library's sleep, which does not quantise.
std::unique_ptr<StepTimer> MakeSystemStepTimer();

}  // namespace zr
