#include "device/FeatureReports.h"

#include <algorithm>
#include <chrono>

namespace zr {
namespace {

constexpr std::uint8_t kAllButtonBits = 0x07;
constexpr auto kReleasePause = std::chrono::milliseconds(10);

std::uint8_t HighByte(std::uint32_t value) { return static_cast<std::uint8_t>(value >> 8); }
std::uint8_t LowByte(std::uint32_t value) { return static_cast<std::uint8_t>(value); }

}  // namespace

template <typename Parameters>
void FeatureReports::ComposeAndSend(Command command, OnInvalidHandle onInvalid, Parameters&& parameters) {
  const DeviceLink::FeatureEndpoint endpoint = link_.Feature();
  if (onInvalid == OnInvalidHandle::Skip && endpoint.state == HandleState::Invalid) return;
  buffer_[0] = kFeatureReportId;
  buffer_[1] = static_cast<std::uint8_t>(command);
  parameters(buffer_);
  // A failed send changes nothing here: the mouse is unplugged or was never found.
  if (endpoint.state == HandleState::Open) {
    const std::size_t length = std::min(endpoint.reportLength, buffer_.size());
    endpoint.device->SetFeature(std::span<const std::uint8_t>(buffer_.data(), length));
  }
}

void FeatureReports::SendMouseButtonsLocked() {
  ComposeAndSend(Command::MouseButtons, OnInvalidHandle::Attempt, [&](Buffer& b) { b[3] = mouseButtons_; });
}

void FeatureReports::SendKeyboardKeysLocked() {
  ComposeAndSend(Command::KeyboardKeys, OnInvalidHandle::Attempt,
                 [&](Buffer& b) { std::copy(keys_.begin(), keys_.end(), b.begin() + 2); });
}

void FeatureReports::SendKeyEvent(std::uint8_t keyCode, std::uint8_t action) {
  std::lock_guard lock(mutex_);
  if (keyCode >= kLeftButtonKey) {
    if (keyCode <= kMiddleButtonKey) {
      const auto bit = static_cast<std::uint8_t>(1u << (keyCode - kLeftButtonKey));
      if (action == kKeyPress) mouseButtons_ = static_cast<std::uint8_t>(mouseButtons_ & ~bit);
      if (action == kKeyRelease) mouseButtons_ = static_cast<std::uint8_t>(mouseButtons_ | bit);
    }
    SendMouseButtonsLocked();
    return;
  }
  if (action == kKeyPress) {
    // With six keys held the mouse has no place for a seventh: the press is dropped.
    const auto free = std::find(keys_.begin(), keys_.end(), 0);
    if (free != keys_.end()) *free = keyCode;
  } else if (action == kKeyRelease) {
    const auto held = std::find(keys_.begin(), keys_.end(), keyCode);
    if (held != keys_.end()) std::copy(held + 1, keys_.end(), held);
    keys_.back() = 0;
  }
  SendKeyboardKeysLocked();
}

void FeatureReports::ReleaseAll() {
  // The pauses are spent outside the lock: a download need not wait for them.
  sleeper_.SleepFor(kReleasePause);
  {
    std::lock_guard lock(mutex_);
    mouseButtons_ |= kAllButtonBits;
    SendMouseButtonsLocked();
  }
  sleeper_.SleepFor(kReleasePause);
  std::lock_guard lock(mutex_);
  keys_.fill(0);
  SendKeyboardKeysLocked();
}

void FeatureReports::SendConsumerUsage(std::uint16_t usage) {
  std::lock_guard lock(mutex_);
  ComposeAndSend(Command::ConsumerKey, OnInvalidHandle::Attempt, [&](Buffer& b) {
    b[2] = HighByte(usage);
    b[3] = LowByte(usage);
  });
}

void FeatureReports::SendDriverExit() {
  std::lock_guard lock(mutex_);
  ComposeAndSend(Command::DriverExit, OnInvalidHandle::Skip, [](Buffer& b) {
    b[2] = 0;
    b[3] = 0;
  });
}

void FeatureReports::SendButtonAssignment(std::uint8_t buttonCode, std::uint8_t deviceFunction) {
  std::lock_guard lock(mutex_);
  ComposeAndSend(Command::ButtonAssignment, OnInvalidHandle::Skip, [&](Buffer& b) {
    b[2] = buttonCode;
    b[3] = deviceFunction;
  });
}

void FeatureReports::SendWheelSetting(std::int32_t wheelStatus) {
  std::lock_guard lock(mutex_);
  ComposeAndSend(Command::WheelSetting, OnInvalidHandle::Attempt, [&](Buffer& b) {
    b[2] = LowByte(static_cast<std::uint32_t>(wheelStatus));
    b[3] = 0;
  });
}

void FeatureReports::SendDpiLevelEntry(std::int32_t dpiLevel, std::uint8_t sensorCode, int level,
                                       std::uint8_t enabledMask) {
  std::lock_guard lock(mutex_);
  ComposeAndSend(Command::DpiLevelEntry, OnInvalidHandle::Attempt, [&](Buffer& b) {
    b[2] = LowByte(0x40u + static_cast<std::uint32_t>(dpiLevel));
    b[3] = LowByte(16u * sensorCode + 8u + static_cast<std::uint32_t>(level));
    b[4] = static_cast<std::uint8_t>(enabledMask & 0x0F);
  });
}

void FeatureReports::SendLedMode(std::uint8_t ledModeByte) {
  std::lock_guard lock(mutex_);
  ComposeAndSend(Command::LedMode, OnInvalidHandle::Attempt, [&](Buffer& b) {
    b[2] = 0x7F;
    b[3] = LowByte(0x10u + ledModeByte);
  });
}

void FeatureReports::SendFireTime(std::int32_t fireTime) {
  // Eight-millisecond units, truncated toward zero; a negative time from a
  // hand-edited file travels as its 16-bit two's complement.
  const auto units = static_cast<std::uint32_t>(fireTime / 8);
  std::lock_guard lock(mutex_);
  ComposeAndSend(Command::FireTime, OnInvalidHandle::Attempt, [&](Buffer& b) {
    b[2] = HighByte(units);
    b[3] = LowByte(units);
    std::fill(b.begin() + 4, b.begin() + 8, 0);
  });
}

std::array<std::uint8_t, kHeldKeys> FeatureReports::KeyArray() const {
  std::lock_guard lock(mutex_);
  return keys_;
}

std::uint8_t FeatureReports::MouseButtonByte() const {
  std::lock_guard lock(mutex_);
  return mouseButtons_;
}

}  // namespace zr
