#include "config/FunctionTable.h"

namespace zr {

std::uint8_t DeviceFunction(std::int32_t code) {
  if (const FunctionCode* row = FindFunctionCode(code)) return row->device;
  // A negative code (only a damaged record holds one) goes out as its low
  // byte, as the command has always carried it.
  return code < 0 ? static_cast<std::uint8_t>(code) : 0;
}

HostAction HostActionOf(std::int32_t code) {
  const FunctionCode* row = FindFunctionCode(code);
  return row ? row->host : HostAction::None;
}

std::uint16_t ConsumerUsage(std::int32_t code) {
  const FunctionCode* row = FindFunctionCode(code);
  return row ? row->usage : 0;
}

std::int32_t MacroSlotOf(std::int32_t code) {
  const FunctionCode* row = FindFunctionCode(code);
  if (!row || (row->host != HostAction::ConstantMacro && row->host != HostAction::UserMacro)) return -1;
  return row->item - 1;
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
