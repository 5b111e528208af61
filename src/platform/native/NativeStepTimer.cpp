// The step timer of builds without Windows: a condition variable waits out
// the step and wakes at once for an interrupt or the close.
#include "platform/StepTimer.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace zr {
namespace {

class PortableStepTimer final : public StepTimer {
 public:
  void BeginPlayback() override {
    std::lock_guard lock(mutex_);
    interrupted_ = false;
  }

  bool Wait(std::uint32_t milliseconds) override {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::unique_lock lock(mutex_);
    return !changed_.wait_until(lock, deadline, [this] { return interrupted_ || closed_; });
  }

  void Interrupt() override {
    std::lock_guard lock(mutex_);
    interrupted_ = true;
    changed_.notify_all();
  }

  void Close() override {
    std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool interrupted_ = false;
  bool closed_ = false;
};

}  // namespace

std::unique_ptr<StepTimer> MakeSystemStepTimer() { return std::make_unique<PortableStepTimer>(); }

}  // namespace zr
