#include "config/ConfigDownload.h"

#include <array>
#include <vector>

#include "config/ConfigStore.h"
#include "config/FunctionTable.h"

namespace zr {
namespace {

constexpr std::array<std::uint8_t, 4> kLedModeBytes = {0, 3, 6, 7};
constexpr std::array<std::int32_t, 10> kMouseSpeeds = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18};

void SendButtonAssignments(FeatureReports& reports, ConfigRecord& record) {
  for (int slot = 0; slot < kButtonSlots; ++slot) {
    // The worker reads these flags while they are rewritten, so each gets
    // its final value in one store: a press handled in between sees either
    // the old flag or the new one, never a cleared one.
    const std::int32_t code = record.K[slot];
    const HostAction action = HostActionOf(code);
    record.dpiButtonFlag[slot] = action == HostAction::DpiButton ? 1 : 0;
    record.rateButtonFlag[slot] = action == HostAction::RateButton ? 1 : 0;
    reports.SendButtonAssignment(kButtonCodes[slot], DeviceFunction(code));
  }
}

void SendDpiLevels(FeatureReports& reports, ConfigRecord& record) {
  std::uint8_t enabledMask = 0;
  for (int level = 0; level < kDpiLevels; ++level)
    if (record.DPI_SET_EN[level] == 1) enabledMask = static_cast<std::uint8_t>(enabledMask | (1u << level));
  const std::int32_t dpiLevel = record.DPI_LEVEL;
  for (int level = 0; level < kDpiLevels; ++level) {
    const std::uint8_t sensorCode = SensorCodeOfStep(record.DPI_SET[level]);
    record.sentSensorCode[level] = sensorCode;
    reports.SendDpiLevelEntry(dpiLevel, sensorCode, level, enabledMask);
  }
}

void SetHostPointer(SystemSettings& system, const ConfigRecord& record) {
  // Only a setting the system can report is changed; the value read is not needed.
  if (system.MouseSpeed()) system.SetMouseSpeed(SystemMouseSpeed(record.DPI_SPEED));
  if (system.WheelScrollLines()) system.SetWheelScrollLines(SystemWheelScrollLines(record.WHEEL_SPEED));
}

}  // namespace

std::uint8_t EffectiveLedMode(std::uint8_t ledStatus) { return ledStatus < kLedModeBytes.size() ? ledStatus : 0; }

std::uint8_t LedModeByte(std::uint8_t ledStatus) { return kLedModeBytes[EffectiveLedMode(ledStatus)]; }

std::int32_t SystemMouseSpeed(std::uint8_t dpiSpeed) {
  return kMouseSpeeds[dpiSpeed < kMouseSpeeds.size() ? dpiSpeed : kMouseSpeeds.size() - 1];
}

std::uint32_t SystemWheelScrollLines(std::uint8_t wheelSpeed) { return static_cast<std::uint8_t>(wheelSpeed + 1); }

void Download(const DownloadServices& services, ConfigRecord& record, std::int32_t currentConfig,
              std::u16string_view configFile) {
  // config.ini gets everything the download stores in one replacement, after
  // the mouse has its reports; the snapshot keeps the values it had here.
  std::vector<ProfileWrite> writes{CurrentConfigNumberWrite(currentConfig)};
  AddConfigurationWrites(writes, kDownloadSnapshotNumber, record);

  SendButtonAssignments(services.reports, record);
  services.reports.SendWheelSetting(record.WHEEL_STATUS);
  SendDpiLevels(services.reports, record);
  // What the colour page previews is the mode the mouse now shows.
  record.sentLedMode = EffectiveLedMode(record.LED_STATUS);
  services.reports.SendLedMode(LedModeByte(record.LED_STATUS));

  services.repaint.RepaintWholeWindow();
  SetHostPointer(services.system, record);
  services.reports.SendFireTime(record.FIRE_TIME);

  AddConfigurationWrites(writes, currentConfig, record);
  services.files.WriteStrings(writes, configFile);
}

}  // namespace zr
