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

// Waits at least the duration; on Windows the system's clock tick may make it longer.
class ThreadSleeper final : public Sleeper {
 public:
  void SleepFor(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }
};

}  // namespace zr
