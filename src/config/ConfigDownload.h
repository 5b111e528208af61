// Writing the configuration record into the mouse and the host's pointer
// settings, and keeping config.ini in step with what was written.
#pragma once

#include <cstdint>
#include <string_view>

#include "config/ConfigRecord.h"
#include "device/FeatureReports.h"
#include "platform/ProfileFiles.h"
#include "platform/SystemSettings.h"
#include "platform/WindowRepaint.h"

namespace zr {

struct DownloadServices {
  ProfileFiles& files;
  FeatureReports& reports;
  SystemSettings& system;
  WindowRepaint& repaint;
};

// Interface thread only. Nothing fails visibly: reports that do not reach
// the mouse go unnoticed, and config.ini and the system settings are written
// whether or not the mouse is there.
void Download(const DownloadServices& services, ConfigRecord& record, std::int32_t currentConfig,
              std::u16string_view configFile);

// The device byte of an LED mode; a mode beyond the four (only a hand-edited
// file holds one) is sent as mode 0.
std::uint8_t LedModeByte(std::uint8_t ledStatus);
// The LED mode the mouse shows after LedModeByte(ledStatus) was sent.
std::uint8_t EffectiveLedMode(std::uint8_t ledStatus);
// The system mouse speed (1..20 scale) of a pointer-speed step.
std::int32_t SystemMouseSpeed(std::uint8_t dpiSpeed);
// The system wheel scroll lines of a wheel step, as an 8-bit value.
std::uint32_t SystemWheelScrollLines(std::uint8_t wheelSpeed);

}  // namespace zr
