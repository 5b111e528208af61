// Waiting a fixed time, behind an interface so tests can see the waits
// without spending them.
#pragma once

#include <chrono>

namespace zr {

class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void SleepFor(std::chrono::milliseconds duration) = 0;
};

}  // namespace zr
