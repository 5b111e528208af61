#include "platform/StepTimer.h"

#ifndef _WIN32
#include <chrono>
#include <thread>

namespace zr {
namespace {

class PortableStepTimer final : public StepTimer {
 public:
  void SleepFor(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }
};

}  // namespace

std::unique_ptr<StepTimer> MakeSystemStepTimer() { return std::make_unique<PortableStepTimer>(); }

}  // namespace zr
#endif
