// Whether a switch reaches the on-screen indicator: the person's choice (the
// tray menu's check mark, kept in config.ini), and never once the utility
// has begun to end. The window shows what comes through and nothing else.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "config/ConfigRecord.h"
#include "platform/ProfileFiles.h"
#include "skin/Indicator.h"

namespace zr {

class IndicatorGate {
 public:
  // The choice as config.ini has it, once the files are known.
  void Load(ProfileFiles& files, std::u16string_view configFile);
  // The tray menu's item: the choice flipped and kept. True when what the
  // indicator shows must go at once.
  bool Toggle(ProfileFiles& files, std::u16string_view configFile);
  // The utility is ending: from now on nothing shows.
  void Close() { closed_ = true; }
  bool Enabled() const { return enabled_; }

  // What the indicator shows for each kind of switch; nothing when the gate
  // is shut or the mouse has no such level, step or profile.
  std::optional<IndicatorContent> DpiLevel(const ConfigRecord& config, std::int32_t level,
                                           std::uint8_t languageFlag) const;
  std::optional<IndicatorContent> ReportRate(std::uint8_t step, std::uint8_t languageFlag) const;
  std::optional<IndicatorContent> ProfileSwitch(std::int32_t profile, std::u16string_view program,
                                                std::uint8_t languageFlag) const;

 private:
  bool Open() const { return enabled_ && !closed_; }

  bool enabled_ = true;  // until the file says otherwise
  bool closed_ = false;
};

}  // namespace zr
