#include "skin/IndicatorGate.h"

#include "config/IndicatorSetting.h"

namespace zr {

void IndicatorGate::Load(ProfileFiles& files, std::u16string_view configFile) {
  enabled_ = ReadIndicatorEnabled(files, configFile);
}

bool IndicatorGate::Toggle(ProfileFiles& files, std::u16string_view configFile) {
  enabled_ = !enabled_;
  SaveIndicatorEnabled(files, configFile, enabled_);
  return !enabled_;
}

std::optional<IndicatorContent> IndicatorGate::DpiLevel(const ConfigRecord& config, std::int32_t level,
                                                        std::uint8_t languageFlag) const {
  if (!Open()) return std::nullopt;
  return DpiLevelIndicator(config, level, languageFlag);
}

std::optional<IndicatorContent> IndicatorGate::ReportRate(std::uint8_t step, std::uint8_t languageFlag) const {
  if (!Open()) return std::nullopt;
  return ReportRateIndicator(step, languageFlag);
}

std::optional<IndicatorContent> IndicatorGate::ProfileSwitch(std::int32_t profile, std::u16string_view program,
                                                             std::uint8_t languageFlag) const {
  if (!Open()) return std::nullopt;
  return ProfileIndicator(profile, program, languageFlag);
}

}  // namespace zr
