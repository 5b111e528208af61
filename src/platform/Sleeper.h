// Waiting a fixed time, behind an interface so tests can see the waits
// without spending them.
#pragma once

#include <chrono>
#include <thread>

namespace zr {

class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void SleepFor(std::chrono::milliseconds duration) = 0;
};

// The short fixed pauses between two reports: nothing waits on them to end early.
class ThreadSleeper final : public Sleeper {
 public:
  void SleepFor(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }
};

}  // namespace zr
