#include "device/InputReportReader.h"

#include <algorithm>

namespace zr {

void InputReportReader::Run() {
  for (;;) {
    std::uint64_t generation = 0;
    {
      std::lock_guard lock(mutex_);
      if (shutdown_) return;
      generation = generation_;
    }
    if (const auto read = source_.ReadInputReport(buffer_)) {
      const std::size_t length = std::min(*read, buffer_.size());
      handover_.OnInputReport(std::span<const std::uint8_t>(buffer_.data(), length), macroMode2_.load());
      continue;
    }
    // A failed read does not heal by itself (no mouse, the mouse gone, or a
    // cancel): wait until the handles change or the thread is stopped.
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return shutdown_ || generation_ != generation; });
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
