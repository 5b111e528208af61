// How macro playback waits between its steps. The worker asks for the wait
// it needs; the implementation decides how to meet it to the millisecond.
// Step delays come from files (up to 65 535 ms each), so every wait can be
// ended from another thread: a removal ends the playback in progress, a stop
// ends every wait for good.
#pragma once
#include <cstdint>
#include <memory>

namespace zr {

class StepTimer {
 public:
  virtual ~StepTimer() = default;
  // A macro starts or ends playing: implementations that must raise the
  // system's timer resolution do it only in between. A new playback forgets
  // an Interrupt of the one before.
  virtual void BeginPlayback() = 0;
  virtual void EndPlayback() {}
  // Waits `milliseconds`; false when Interrupt or Close ended the wait early
  // or had come before it.
  virtual bool Wait(std::uint32_t milliseconds) = 0;
  // Any thread: ends the wait in progress and every later one until the
  // next BeginPlayback.
  virtual void Interrupt() = 0;
  // Any thread: ends the wait in progress and every later one, for good.
  virtual void Close() = 0;
};

// The platform's precise timer: on Windows a high-resolution waitable timer,
// or a timer under a raised timer resolution where the system lacks one; on
// other systems a condition wait with a deadline, which does not quantise.
std::unique_ptr<StepTimer> MakeSystemStepTimer();

}  // namespace zr
