// The reader's waits as the program has them, watched: whether the reader is
// parked until the mouse's handles change (it reads nothing more before
// then), and how many pauses after failed reads it has taken.
#pragma once

#include <atomic>

#include "device/InputReportReader.h"

namespace zr::test {

class WatchedReaderWaits final : public ReaderWaits {
 public:
  void UntilChanged(std::condition_variable& changes, std::unique_lock<std::mutex>& lock,
                    const std::function<bool()>& changed) override {
    parked_ = true;
    ReaderWaits::UntilChanged(changes, lock, changed);
    parked_ = false;
  }
  void PauseUnlessChanged(std::condition_variable& changes, std::unique_lock<std::mutex>& lock,
                          std::chrono::milliseconds pause, const std::function<bool()>& changed) override {
    ++pauses_;
    ReaderWaits::PauseUnlessChanged(changes, lock, pause, changed);
  }
  bool Parked() const { return parked_; }
  int Pauses() const { return pauses_; }

 private:
  std::atomic<bool> parked_{false};
  std::atomic<int> pauses_{0};
};

}  // namespace zr::test
