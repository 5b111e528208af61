#include "config/ConfigRepair.h"

#include <algorithm>

#include "config/FunctionTable.h"
#include "config/RecordRules.h"

namespace zr {
namespace {

bool InRange(std::int32_t value, std::int32_t first, std::int32_t last) { return value >= first && value <= last; }

}  // namespace

bool RepairLoadedRecord(ConfigRecord& record) {
  bool changed = false;
  auto set = [&changed](auto& field, auto value) {
    if (field != value) {
      field = value;
      changed = true;
    }
  };
  for (int slot = 0; slot < kButtonSlots; ++slot)
    if (!IsValidFunctionCode(record.K[slot])) set(record.K[slot], std::int32_t{kButtonCodes[slot]});
  if (!AnyButtonHoldsLeftClick(record)) set(record.K[0], kLeftClickCode);  // the factory's left button

  // A step beyond the table is sent and shown as the lowest one already.
  for (auto& step : record.DPI_SET)
    if (step >= kDpiSteps) set(step, std::uint8_t{0});
  // A load turns any number into 0 or 1; a record filled otherwise may not.
  for (auto& enabled : record.DPI_SET_EN)
    if (enabled > 1) set(enabled, std::uint8_t{1});
  if (!InRange(record.DPI_LEVEL, 0, kDpiLevels - 1)) set(record.DPI_LEVEL, 0);
  const std::int32_t level = record.DPI_LEVEL;
  if (record.DPI_SET_EN[level] == 0) {
    const std::int32_t next = NextEnabledLevel(record, level);
    if (next == level) set(record.DPI_SET_EN[level], std::uint8_t{1});
    else set(record.DPI_LEVEL, next);
  }

  if (!InRange(record.WHEEL_STATUS, 0, 1)) set(record.WHEEL_STATUS, 0);
  if (!InRange(record.MACRO_MODE2, 0, 1)) set(record.MACRO_MODE2, 0);
  if (record.LED_STATUS >= kLedModes) set(record.LED_STATUS, std::uint8_t{0});  // sent as mode 0 anyway
  if (record.DPI_SPEED >= kSpeedSteps) set(record.DPI_SPEED, std::uint8_t{kSpeedSteps - 1});
  if (record.WHEEL_SPEED >= kSpeedSteps) set(record.WHEEL_SPEED, std::uint8_t{kSpeedSteps - 1});
  if (!IsReportRateStep(record.USB_SPEED)) set(record.USB_SPEED, kLastReportRateStep);
  set(record.FIRE_TIME, std::clamp(record.FIRE_TIME, 0, kFireTimeMax));
  return changed;
}

bool LoadRepairedConfiguration(ProfileFiles& files, std::u16string_view path, std::int32_t number,
                               std::uint8_t languageFlag, ConfigRecord& record) {
  LoadConfiguration(files, path, number, false, languageFlag, record);
  return RepairLoadedRecord(record);
}

std::int32_t UsableConfigNumber(std::int32_t number) {
  return InRange(number, kFirstStoredConfig, kLastStoredConfig) ? number : kFirstStoredConfig;
}

StartupChoices LoadStartupConfiguration(ProfileFiles& files, FileQueries& fileQueries, std::u16string_view configFile,
                                        ConfigRecord& record) {
  StartupChoices choices = ReadStartupChoices(files, configFile);
  choices.currentConfig = UsableConfigNumber(choices.currentConfig);
  if (!fileQueries.Exists(configFile)) {
    SetFactoryDefaults(record);
    return choices;
  }
  LoadRepairedConfiguration(files, configFile, choices.currentConfig, choices.languageFlag, record);
  return choices;
}

}  // namespace zr
