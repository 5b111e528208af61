#include "virtual_mouse/Firmware.h"

#include <algorithm>

namespace zr::virtual_mouse {
namespace {

constexpr std::size_t kShortestCommand = 4;  // id, command, two parameter bytes

std::optional<PointerButton> PointerButtonOf(DeviceFunction function) {
  switch (function) {
    case DeviceFunction::LeftClick: return PointerButton::Left;
    case DeviceFunction::MiddleClick: return PointerButton::Middle;
    case DeviceFunction::RightClick: return PointerButton::Right;
    case DeviceFunction::Back: return PointerButton::Back;
    case DeviceFunction::Forward: return PointerButton::Forward;
    default: return std::nullopt;
  }
}

}  // namespace

bool Firmware::OnFeatureReport(std::span<const std::uint8_t> report) {
  if (report.size() < kShortestCommand || report[0] != kFeatureReportId) return false;
  const auto at = [&](std::size_t i) -> std::uint8_t { return i < report.size() ? report[i] : 0; };
  switch (at(1)) {
    case 0x09: {
      // Byte 3 is 16 x sensor code + 8 + level; anything without the 8 is not an entry.
      const std::uint8_t entry = at(3);
      if ((entry & 0x0C) != 0x08) break;
      state_.sensorCode[entry & 0x03] = static_cast<std::uint8_t>(entry >> 4);
      state_.enabledMask = static_cast<std::uint8_t>(at(4) & 0x0F);
      if (at(2) >= 0x40 && at(2) < 0x40 + kLevels) state_.currentLevel = static_cast<std::uint8_t>(at(2) - 0x40);
      break;
    }
    case 0x10:
      if (at(2) >= 1 && at(2) <= kButtons) {
        state_.buttonFunction[at(2)] = at(3);
        rapidFireHeld_[at(2)] = false;  // a button given another function stops firing
      }
      break;
    case 0x11: state_.wheel = at(2); break;
    case 0x12: state_.fireUnits = static_cast<std::uint16_t>(at(2) << 8 | at(3)); break;
    case 0x13:
      state_.ledParameter = at(2);
      if (at(3) >= 0x10) state_.ledMode = static_cast<std::uint8_t>(at(3) - 0x10);
      break;
    case 0x15:
      for (std::size_t i = 0; i < state_.heldKeys.size(); ++i) state_.heldKeys[i] = at(2 + i);
      break;
    case 0x16:
      state_.buttonByte = at(3);
      state_.heldButtons = static_cast<std::uint8_t>(~at(3) & 0x07);
      break;
    case 0x17: state_.consumerKeys.push_back(static_cast<std::uint16_t>(at(2) << 8 | at(3))); break;
    case 0x20:
      // The host is going: nothing it asked to be held stays held.
      state_.driverExitSeen = true;
      state_.heldKeys.fill(0);
      state_.heldButtons = 0;
      state_.buttonByte = 0xFF;
      break;
    default: break;
  }
  return true;
}

std::uint8_t Firmware::NextLevel(int direction, bool wrap) const {
  int level = state_.currentLevel;
  for (int tried = 0; tried < kLevels - 1; ++tried) {
    level += direction;
    if (wrap) level = (level + kLevels) % kLevels;
    if (level < 0 || level >= kLevels) break;
    if (state_.enabledMask & (1u << level)) return static_cast<std::uint8_t>(level);
  }
  return state_.currentLevel;
}

std::chrono::milliseconds Firmware::FirePeriod() const {
  // A fire time of 0 units would fire without pause; one unit is the shortest.
  return std::chrono::milliseconds(8 * std::max<int>(state_.fireUnits, 1));
}

void Firmware::Pointer(PointerButton button, bool down) { state_.pointerEvents.push_back({button, down, now_}); }

void Firmware::Click(PointerButton button, int times) {
  for (int i = 0; i < times; ++i) {
    Pointer(button, true);
    Pointer(button, false);
  }
}

std::optional<VendorEvent> Firmware::OnButton(std::uint8_t buttonCode, bool pressed) {
  if (buttonCode < 1 || buttonCode > kButtons) return std::nullopt;
  const auto function = static_cast<DeviceFunction>(state_.buttonFunction[buttonCode]);
  const auto code = static_cast<std::uint8_t>(0xF0 + buttonCode);
  const VendorEvent release = {kVendorInputReportId, code, kReleaseMarker};

  if (const std::optional<PointerButton> button = PointerButtonOf(function)) {
    Pointer(*button, pressed);
    return std::nullopt;
  }
  switch (function) {
    case DeviceFunction::Host:
      if (!pressed) return release;
      return VendorEvent{kVendorInputReportId, code, 0};
    case DeviceFunction::DpiCycle:
    case DeviceFunction::DpiUp:
    case DeviceFunction::DpiDown:
      if (!pressed) return release;
      state_.currentLevel = function == DeviceFunction::DpiCycle ? NextLevel(+1, true)
                            : function == DeviceFunction::DpiUp  ? NextLevel(+1, false)
                                                                 : NextLevel(-1, false);
      return VendorEvent{kVendorInputReportId, code, state_.currentLevel};
    case DeviceFunction::ReportRate:
      if (!pressed) return release;
      state_.reportRateStep = static_cast<std::uint8_t>((state_.reportRateStep + 1) % kReportRateSteps);
      return VendorEvent{kVendorInputReportId, code, state_.reportRateStep};
    case DeviceFunction::RapidFire:
      rapidFireHeld_[buttonCode] = pressed;
      if (pressed) {
        Click(PointerButton::Left, 1);
        nextShot_ = now_ + FirePeriod();
      }
      return std::nullopt;
    case DeviceFunction::DoubleClick:
      if (pressed) Click(PointerButton::Left, 2);
      return std::nullopt;
    case DeviceFunction::TripleClick:
      if (pressed) Click(PointerButton::Left, 3);
      return std::nullopt;
    case DeviceFunction::LedToggle:
      if (pressed) state_.ledOn = !state_.ledOn;
      return std::nullopt;
    default:
      return std::nullopt;  // a function byte the firmware does not know leaves the button dead
  }
}

void Firmware::AdvanceTime(std::chrono::milliseconds elapsed) {
  const std::chrono::milliseconds end = now_ + elapsed;
  const bool firing = std::any_of(rapidFireHeld_.begin(), rapidFireHeld_.end(), [](bool held) { return held; });
  if (firing) {
    while (nextShot_ <= end) {
      now_ = nextShot_;
      Click(PointerButton::Left, 1);
      nextShot_ = now_ + FirePeriod();
    }
  }
  now_ = end;
}

}  // namespace zr::virtual_mouse
