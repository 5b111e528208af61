#include "device/InputReportReader.h"

#include <algorithm>

namespace zr {

std::chrono::milliseconds NextRetryPause(std::chrono::milliseconds pause) {
  if (pause < kFirstRetryPause) return kFirstRetryPause;
  return std::min(pause * 2, kLongestRetryPause);
}

void InputReportReader::Run() {
  std::chrono::milliseconds pause{0};
  for (;;) {
    std::uint64_t generation = 0;
    {
      std::lock_guard lock(mutex_);
      if (shutdown_) return;
      generation = generation_;
    }
    const InputRead read = source_.ReadInputReport(buffer_);
    switch (read.end) {
      case ReadEnd::Report: {
        pause = std::chrono::milliseconds{0};
        const std::size_t length = std::min(read.length, buffer_.size());
        handover_.OnInputReport(std::span<const std::uint8_t>(buffer_.data(), length), macroMode2_.load());
        break;
      }
      case ReadEnd::Cancelled:
        // Asked for by a stop or a reopen; both are seen at the top.
        break;
      case ReadEnd::NoDevice: {
        // Nothing to read from until the mouse is opened, and every open says so.
        std::unique_lock lock(mutex_);
        waits_.UntilChanged(changed_, lock, [&] { return shutdown_ || generation_ != generation; });
        pause = std::chrono::milliseconds{0};
        break;
      }
      case ReadEnd::DeviceGone:
      case ReadEnd::Failed: {
        // The mouse stays open until its removal notice; a failed read only
        // costs a pause, which grows while the reads keep failing so that a
        // read that fails at once never becomes a busy loop.
        ++failedReads_;
        std::unique_lock lock(mutex_);
        const auto changed = [&] { return shutdown_ || generation_ != generation; };
        if (removed_) {
          // The removal notice came: the reads of the old handle cannot
          // succeed again, and the arrival's open will say so.
          waits_.UntilChanged(changed_, lock, changed);
          pause = std::chrono::milliseconds{0};
        } else {
          pause = NextRetryPause(pause);
          waits_.PauseUnlessChanged(changed_, lock, pause, changed);
        }
        break;
      }
    }
  }
}

void InputReportReader::InputChanged(bool mousePresent) {
  bool returned = false;
  {
    std::lock_guard lock(mutex_);
    ++generation_;
    returned = mousePresent && removed_;
    removed_ = !mousePresent;
  }
  changed_.notify_all();
  if (!mousePresent) handover_.RequestStop();
  if (returned) handover_.RequestRelease();
}

void InputReportReader::Shutdown() {
  {
    std::lock_guard lock(mutex_);
    shutdown_ = true;
  }
  source_.CancelInputRead();
  changed_.notify_all();
}

}  // namespace zr
