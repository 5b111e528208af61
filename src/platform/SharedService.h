// A library that must be started before its first user and may be shut down
// after its last one (GDI+ for decoded images): started on the first
// Acquire, stopped on the last Release, started again by the next Acquire.
#pragma once

#include <functional>
#include <mutex>

namespace zr {

class SharedService {
 public:
  SharedService(std::function<bool()> start, std::function<void()> stop)
      : start_(std::move(start)), stop_(std::move(stop)) {}
  SharedService(const SharedService&) = delete;
  SharedService& operator=(const SharedService&) = delete;
  ~SharedService() { StopNow(); }

  // False when the library could not be started; the caller then holds nothing.
  bool Acquire() {
    std::lock_guard lock(mutex_);
    if (users_ == 0 && !running_) running_ = start_();
    if (!running_) return false;
    ++users_;
    return true;
  }

  void Release() {
    std::lock_guard lock(mutex_);
    if (users_ == 0) return;
    if (--users_ == 0 && running_) {
      stop_();
      running_ = false;
    }
  }

  // At process exit, whatever is still alive.
  void StopNow() {
    std::lock_guard lock(mutex_);
    if (running_) stop_();
    running_ = false;
    users_ = 0;
  }

  bool Running() const {
    std::lock_guard lock(mutex_);
    return running_;
  }

 private:
  std::function<bool()> start_;
  std::function<void()> stop_;
  mutable std::mutex mutex_;
  int users_ = 0;
  bool running_ = false;
};

}  // namespace zr
