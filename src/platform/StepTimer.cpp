#include "platform/StepTimer.h"

#ifndef _WIN32
#include <chrono>
#include <thread>

namespace zr {
namespace {

class PortableStepTimer final : public StepTimer {
 public:
  void Wait(std::uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
};

}  // namespace

std::unique_ptr<StepTimer> MakeSystemStepTimer() { return std::make_unique<PortableStepTimer>(); }

}  // namespace zr
#endif
