// The commands the host sends the mouse as feature report 7, composed in one
// shared buffer. The button-action worker injects keys, buttons and consumer
// keys while the interface thread may be downloading the configuration, so
// composing and sending each report happens under one lock.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

#include "device/DeviceLink.h"
#include "device/MouseInjection.h"
#include "macros/KeyAction.h"
#include "macros/KeyCodes.h"
#include "platform/Sleeper.h"

namespace zr {

inline constexpr std::uint8_t kFeatureReportId = 7;

enum class Command : std::uint8_t {
  DpiLevelEntry = 0x09,
  ButtonAssignment = 0x10,
  WheelSetting = 0x11,
  FireTime = 0x12,
  LedMode = 0x13,
  KeyboardKeys = 0x15,
  MouseButtons = 0x16,
  ConsumerKey = 0x17,
  DriverExit = 0x20,
};

// Key codes of the injection commands are those of macro steps: below the
// left button they are keyboard usages; the three buttons have a bit each,
// codes above them none.
inline constexpr int kHeldKeys = 6;

class FeatureReports final : public MouseInjection {
 public:
  FeatureReports(DeviceLink& link, Sleeper& sleeper) : link_(link), sleeper_(sleeper) {}
  FeatureReports(const FeatureReports&) = delete;
  FeatureReports& operator=(const FeatureReports&) = delete;

  // Input injection, for macro playback.
  void SendKeyEvent(std::uint8_t keyCode, std::uint8_t action) override;
  // Every button and key released, with a 10 ms pause before each of the two reports.
  void ReleaseAll() override;
  void SendConsumerUsage(std::uint16_t usage) override;
  // Skipped when the feature handle is the invalid handle value.
  void SendDriverExit();

  // Configuration commands, in the order the download sends them.
  void SendButtonAssignment(std::uint8_t buttonCode, std::uint8_t deviceFunction);  // skipped on an invalid handle
  void SendWheelSetting(std::int32_t wheelStatus);
  void SendDpiLevelEntry(std::int32_t dpiLevel, std::uint8_t sensorCode, int level, std::uint8_t enabledMask);
  void SendLedMode(std::uint8_t ledModeByte);
  void SendFireTime(std::int32_t fireTime);

  std::array<std::uint8_t, kHeldKeys> KeyArray() const;
  std::uint8_t MouseButtonByte() const;

 private:
  enum class OnInvalidHandle : bool { Attempt, Skip };
  using Buffer = std::array<std::uint8_t, kReportBufferSize>;
  // Writes the report id and command, lets `parameters` write its bytes, and
  // sends the buffer with the collection's report length; the caller holds the lock.
  template <typename Parameters>
  void ComposeAndSend(Command command, OnInvalidHandle onInvalid, Parameters&& parameters);
  void SendMouseButtonsLocked();
  void SendKeyboardKeysLocked();

  DeviceLink& link_;
  Sleeper& sleeper_;
  mutable std::mutex mutex_;
  Buffer buffer_{};
  std::array<std::uint8_t, kHeldKeys> keys_{};
  std::uint8_t mouseButtons_ = 0xFF;  // a 0 bit is a pressed button
};

}  // namespace zr
