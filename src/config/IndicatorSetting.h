// Whether the on-screen indicator shows the mouse's switches: key OSD of
// section Init in config.ini. The key is the utility's own, not the mouse's,
// so the factory reset of the configurations leaves it alone.
#pragma once

#include <string_view>

#include "platform/ProfileFiles.h"

namespace zr {

// A missing key (every config.ini written before the indicator existed)
// means on; otherwise a decimal number, nonzero for on.
bool ReadIndicatorEnabled(ProfileFiles& files, std::u16string_view configFile);
bool SaveIndicatorEnabled(ProfileFiles& files, std::u16string_view configFile, bool enabled);

}  // namespace zr
