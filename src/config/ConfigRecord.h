// The one configuration record of the mouse settings, as the user edits them,
// plus what the last download sent. The interface thread writes it; the
// button-action worker reads the button functions and writes DPI_LEVEL and
// USB_SPEED, so every field a worker touches is atomic.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace zr {

inline constexpr int kButtonSlots = 6;
inline constexpr int kDpiLevels = 4;
// USB_SPEED steps 0..3 and, after the last, wraps to 0.
inline constexpr std::uint8_t kLastReportRateStep = 3;
// DPI_SPEED and WHEEL_SPEED steps 0..9, LED_STATUS modes 0..3, FIRE_TIME 0..300.
inline constexpr std::int32_t kSpeedSteps = 10;
inline constexpr std::int32_t kLedModes = 4;
inline constexpr std::int32_t kFireTimeMax = 300;

struct ConfigRecord {
  // Stored fields, named by their keys in config.ini.
  std::array<std::atomic<std::int32_t>, kButtonSlots> K{};  // button function code per slot
  std::atomic<std::int32_t> DPI_LEVEL{0};
  std::atomic<std::int32_t> WHEEL_STATUS{0};
  std::atomic<std::int32_t> MACRO_MODE2{0};
  std::array<std::uint8_t, kDpiLevels> DPI_SET{};     // DPI step 0..11 per level
  std::array<std::uint8_t, kDpiLevels> DPI_SET_EN{};  // 0 or 1 per level
  std::uint8_t LED_STATUS = 0;
  std::uint8_t DPI_SPEED = 0;
  std::uint8_t WHEEL_SPEED = 0;
  std::atomic<std::uint8_t> USB_SPEED{0};
  std::int32_t FIRE_TIME = 0;

  // Device-state fields, filled by the download and never stored.
  std::array<std::uint8_t, kDpiLevels> sentSensorCode{};
  std::atomic<std::uint8_t> sentLedMode{0};  // the colour-preview worker reads it
  std::array<std::atomic<std::int32_t>, kButtonSlots> dpiButtonFlag{};
  std::array<std::atomic<std::int32_t>, kButtonSlots> rateButtonFlag{};
};

// The factory defaults of configuration 1; MACRO_MODE2 keeps its value.
void SetFactoryDefaults(ConfigRecord& record);

}  // namespace zr
