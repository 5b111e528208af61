// Fixed tables of button functions, button codes, consumer usages and DPI steps.
#pragma once

#include <array>
#include <cstdint>

namespace zr {

// Slot s is sent to the mouse as this code and reported back as 0xF0 + code.
inline constexpr std::array<std::uint8_t, 6> kButtonCodes = {1, 3, 2, 4, 5, 6};

// What the host does when the mouse reports a press of a button with a code.
enum class HostAction : std::uint8_t {
  None,
  DpiButton,       // take the DPI level the mouse reports
  RateButton,      // advance USB_SPEED
  ConsumerKey,     // send the code's consumer usage
  ConstantMacro,   // play constant macro code - 31 once
  Calculator,
  CommandPrompt,
  UserMacro,       // play user macro code - 41
};

inline constexpr std::int32_t kLeftClickCode = 1;
inline constexpr std::int32_t kFirstConsumerCode = 21;
inline constexpr std::int32_t kLastConsumerCode = 30;
inline constexpr std::int32_t kFirstConstantMacroCode = 31;
inline constexpr std::int32_t kLastConstantMacroCode = 38;
inline constexpr std::int32_t kCalculatorCode = 39;
inline constexpr std::int32_t kCommandPromptCode = 40;
inline constexpr std::int32_t kFirstUserMacroCode = 41;
inline constexpr std::int32_t kLastUserMacroCode = 52;

// The byte sent for a function code in the button assignment command.
std::uint8_t DeviceFunction(std::int32_t code);
HostAction HostActionOf(std::int32_t code);

// Consumer page usage of codes 21..30; 0 for any other code.
std::uint16_t ConsumerUsage(std::int32_t code);

inline constexpr int kDpiSteps = 12;
inline constexpr std::array<std::uint8_t, kDpiSteps> kSensorCodes = {1, 2, 3, 4, 5, 6, 7, 9, 11, 13, 14, 15};
inline constexpr std::array<std::uint16_t, kDpiSteps> kDpiValues = {200,  400,  600,  800,  1000, 1200,
                                                                    1600, 2000, 2400, 3200, 4000, 4800};

// Sensor code of a DPI step; a step beyond the table (only a hand-edited file
// has one) is sent as the lowest resolution, which is also how it is shown.
std::uint8_t SensorCodeOfStep(std::uint8_t step);
// DPI shown for a sensor code; a code outside the table shows as 200.
std::uint16_t DpiOfSensorCode(std::uint8_t sensorCode);

}  // namespace zr
