// One rule for every configuration record that comes from a file and can
// reach the mouse: start-up, Profile 1..5, hide, import, the factory reset's
// reload. Files are never validated on the way in (a hand-edited or damaged
// config.ini is read as it stands), so the rule mends the record afterwards,
// the way the editors would have kept it, and touches only broken fields.
#pragma once

#include <cstdint>
#include <string_view>

#include "config/ConfigRecord.h"
#include "config/ConfigStore.h"
#include "platform/FileQueries.h"
#include "platform/ProfileFiles.h"

namespace zr {

// The configurations the user switches between, Config1..Config5.
inline constexpr std::int32_t kFirstStoredConfig = 1;
inline constexpr std::int32_t kLastStoredConfig = 5;

// Mends what a file can break: a button code outside the table gets its
// slot's factory code, a record without the left click gets it on the
// first button, a record without an enabled level or whose current level
// is disabled gets one, and every other field outside its range comes back
// to the nearest sensible value. True when anything changed.
bool RepairLoadedRecord(ConfigRecord& record);

// Load configuration `number` (section Config<number>) of `path` and repair
// it. Every load whose record can reach the mouse goes through here. True
// when the repair changed anything.
bool LoadRepairedConfiguration(ProfileFiles& files, std::u16string_view path, std::int32_t number,
                               std::uint8_t languageFlag, ConfigRecord& record);

// A current configuration number outside 1..5 can only come from a damaged
// file; it is taken as 1, so no section beyond the five is ever written.
std::int32_t UsableConfigNumber(std::int32_t number);

// The start-up load: CurConfig and VER_SEL of section Init, then the current
// configuration, repaired. Without any config.ini the utility starts from
// configuration 1 holding configuration 1's factory defaults (what the
// factory reset writes), not from a record of zeros.
StartupChoices LoadStartupConfiguration(ProfileFiles& files, FileQueries& fileQueries, std::u16string_view configFile,
                                        ConfigRecord& record);

}  // namespace zr
