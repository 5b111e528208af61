#include "config/FunctionTable.h"

namespace zr {

std::uint8_t DeviceFunction(std::int32_t code) {
  if (code <= 6) return static_cast<std::uint8_t>(code);  // 0..6 as themselves, negative codes by their low 8 bits
  if (code >= 11 && code <= 16) return static_cast<std::uint8_t>(code - 4);
  if (code == 17) return 13;
  return 0;
}

HostAction HostActionOf(std::int32_t code) {
  if (code == 6 || code == 15 || code == 16) return HostAction::DpiButton;
  if (code == 14) return HostAction::RateButton;
  if (code >= kFirstConsumerCode && code <= kLastConsumerCode) return HostAction::ConsumerKey;
  if (code >= kFirstConstantMacroCode && code <= kLastConstantMacroCode) return HostAction::ConstantMacro;
  if (code == kCalculatorCode) return HostAction::Calculator;
  if (code == kCommandPromptCode) return HostAction::CommandPrompt;
  if (code >= kFirstUserMacroCode && code <= kLastUserMacroCode) return HostAction::UserMacro;
  return HostAction::None;
}

std::uint16_t ConsumerUsage(std::int32_t code) {
  static constexpr std::uint16_t kUsages[] = {0x0223, 0x0183, 0x018A, 0x00E9, 0x00EA,
                                              0x00B6, 0x00B5, 0x00E2, 0x00CD, 0x0192};
  if (code < kFirstConsumerCode || code > kLastConsumerCode) return 0;
  return kUsages[code - kFirstConsumerCode];
}

std::uint8_t SensorCodeOfStep(std::uint8_t step) {
  // A step beyond the table (only a hand-edited file has one) falls back to the
  // lowest resolution, which is also what an unknown sensor code is shown as.
  return step < kDpiSteps ? kSensorCodes[step] : kSensorCodes[0];
}

std::uint16_t DpiOfSensorCode(std::uint8_t sensorCode) {
  for (int step = 0; step < kDpiSteps; ++step)
    if (kSensorCodes[step] == sensorCode) return kDpiValues[step];
  return kDpiValues[0];
}

}  // namespace zr
