#include "device/InputReportReader.h"

#include <algorithm>
#include <span>
#include <utility>

namespace zr {

void InputReportReader::Run() {
  for (;;) {
    std::shared_ptr<HidDevice> device;
    std::uint64_t generation = 0;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return shutdown_ || device_ != nullptr; });
      if (shutdown_) return;
      device = device_;
      generation = generation_;
    }
    const auto read = device->ReadInput(buffer_);
    if (read) {
      const std::size_t length = std::min(*read, buffer_.size());
      handover_.OnInputReport(std::span<const std::uint8_t>(buffer_.data(), length), macroMode2_.load());
      continue;
    }
    // A failed read does not heal by itself (the mouse is gone, or we were
    // cancelled): wait for the next attach, detach or shutdown.
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return shutdown_ || generation_ != generation; });
  }
}

void InputReportReader::Attach(std::shared_ptr<HidDevice> device) {
  std::shared_ptr<HidDevice> previous;
  {
    std::lock_guard lock(mutex_);
    previous = std::exchange(device_, std::move(device));
    ++generation_;
  }
  if (previous) previous->CancelRead();
  changed_.notify_all();
}

void InputReportReader::Detach() {
  Attach(nullptr);
  handover_.RequestStop();
}

void InputReportReader::Shutdown() {
  std::shared_ptr<HidDevice> device;
  {
    std::lock_guard lock(mutex_);
    shutdown_ = true;
    device = device_;
    ++generation_;
  }
  if (device) device->CancelRead();
  changed_.notify_all();
}

}  // namespace zr
