#include "config/RecordRules.h"

#include "config/FunctionTable.h"

namespace zr {
namespace {

bool IsLevel(std::int32_t level) { return level >= 0 && level < kDpiLevels; }

}  // namespace

bool AnyButtonHoldsLeftClick(const ConfigRecord& record) {
  for (const auto& code : record.K)
    if (code == kLeftClickCode) return true;
  return false;
}

bool WarningNeeded(const ConfigRecord& record, std::int32_t button) {
  for (std::int32_t slot = 0; slot < kButtonSlots; ++slot)
    if (slot != button && record.K[slot] == kLeftClickCode) return false;
  return true;
}

void StoreButtonFunction(ConfigRecord& record, std::int32_t button, std::int32_t code) {
  if (button < 0 || button >= kButtonSlots) return;
  record.K[button] = code;
  if (AnyButtonHoldsLeftClick(record)) return;
  const std::int32_t heir = button + 1 < kButtonSlots ? button + 1 : button;
  record.K[heir] = kLeftClickCode;
}

std::int32_t NextEnabledLevel(const ConfigRecord& record, std::int32_t level) {
  for (std::int32_t step = 1; step < kDpiLevels; ++step) {
    const std::int32_t next = (level + step) % kDpiLevels;
    if (record.DPI_SET_EN[next] != 0) return next;
  }
  return level;
}

void ToggleDpiLevel(ConfigRecord& record, std::int32_t level) {
  if (!IsLevel(level)) return;
  if (record.DPI_SET_EN[level] == 0) {
    record.DPI_SET_EN[level] = 1;
    return;
  }
  record.DPI_SET_EN[level] = 0;
  if (record.DPI_LEVEL != level) return;
  const std::int32_t next = NextEnabledLevel(record, level);
  if (next == level) record.DPI_SET_EN[level] = 1;
  record.DPI_LEVEL = next;
}

std::uint8_t NextReportRateStep(std::uint8_t step) {
  return step == kLastReportRateStep ? 0 : static_cast<std::uint8_t>(step + 1);
}

void SelectDpiLevel(ConfigRecord& record, std::int32_t level) {
  if (IsLevel(level) && record.DPI_SET_EN[level] != 0) record.DPI_LEVEL = level;
}

}  // namespace zr
