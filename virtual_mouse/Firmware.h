// The mouse's firmware as the virtual mouse runs it: what each feature
// report does to its state, and what a press or release of one of its six
// buttons makes it do. README.md beside this file lists the reactions.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zr::virtual_mouse {

inline constexpr std::uint8_t kFeatureReportId = 7;
inline constexpr std::uint8_t kVendorInputReportId = 6;
inline constexpr std::uint8_t kReleaseMarker = 0x80;
inline constexpr int kButtons = 6;  // button codes 1..6
inline constexpr int kLevels = 4;
inline constexpr int kReportRateSteps = 4;  // 125, 250, 500, 1000 reports a second

// The device functions a button can be given (byte 3 of the button assignment).
enum class DeviceFunction : std::uint8_t {
  Host = 0,
  LeftClick = 1,
  MiddleClick = 2,
  RightClick = 3,
  Back = 4,
  Forward = 5,
  DpiCycle = 6,
  RapidFire = 7,
  DoubleClick = 8,
  TripleClick = 9,
  ReportRate = 10,
  DpiUp = 11,
  DpiDown = 12,
  LedToggle = 13,
};

// The buttons of the ordinary mouse collection, numbered as HID buttons.
enum class PointerButton : std::uint8_t { Left = 1, Right = 2, Middle = 3, Back = 4, Forward = 5 };

struct PointerEvent {
  PointerButton button;
  bool down;
  std::chrono::milliseconds at;  // on the firmware's own clock
  bool operator==(const PointerEvent&) const = default;
};

struct FirmwareState {
  // Indexed by button code; entry 0 is unused.
  std::array<std::uint8_t, kButtons + 1> buttonFunction{0, 1, 2, 3, 4, 5, 6};
  std::array<std::uint8_t, kLevels> sensorCode{4, 6, 7, 11};
  std::uint8_t enabledMask = 0x0F;
  std::uint8_t currentLevel = 0;
  std::uint8_t wheel = 0;
  std::uint8_t ledParameter = 0x7F;
  std::uint8_t ledMode = 0;  // the mode byte, without the 0x10 the command adds
  bool ledOn = true;
  std::uint16_t fireUnits = 6;  // of 8 ms
  std::uint8_t reportRateStep = 2;
  std::array<std::uint8_t, 6> heldKeys{};  // keyboard usages the host asked to be reported held
  std::uint8_t heldButtons = 0;            // bit 0 left, 1 right, 2 middle; a 1 bit is held
  std::uint8_t buttonByte = 0xFF;          // as the host last sent it: a 0 bit is held
  std::vector<std::uint16_t> consumerKeys;  // every consumer usage sent, in order
  bool driverExitSeen = false;
  std::vector<PointerEvent> pointerEvents;  // what the ordinary mouse collection reported
};

// A vendor input report's meaningful bytes: id, event code, level or release marker.
using VendorEvent = std::array<std::uint8_t, 3>;

class Firmware {
 public:
  // A report of the vendor feature collection, id byte included. False for
  // a report the firmware does not take (wrong id, too short); unknown
  // commands are taken and ignored.
  bool OnFeatureReport(std::span<const std::uint8_t> report);
  // A physical press or release of the button with `buttonCode` (1..6); the
  // vendor input report it sends, if any.
  std::optional<VendorEvent> OnButton(std::uint8_t buttonCode, bool pressed);
  // Runs the firmware's clock on, for rapid fire.
  void AdvanceTime(std::chrono::milliseconds elapsed);

  const FirmwareState& State() const { return state_; }

 private:
  std::uint8_t NextLevel(int direction, bool wrap) const;
  void Click(PointerButton button, int times);
  void Pointer(PointerButton button, bool down);
  std::chrono::milliseconds FirePeriod() const;

  FirmwareState state_;
  std::chrono::milliseconds now_{0};
  std::array<bool, kButtons + 1> rapidFireHeld_{};
  std::chrono::milliseconds nextShot_{0};
};

}  // namespace zr::virtual_mouse
