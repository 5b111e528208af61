// The process-wide state the main window works on.
#pragma once

#include <cstdint>

#include "app/AppPaths.h"
#include "config/ConfigRecord.h"
#include "macros/MacroRecord.h"
#include "platform/ProfileFiles.h"

namespace zr {

struct AppState {
  AppPaths paths;
  ConfigRecord config;
  MacroTables macros;
  std::int32_t currentConfig = 0;  // N of the Config<N> in use
  std::uint8_t languageFlag = 0;   // nonzero English, zero Chinese
};

// The start-up reads of the main window: CurConfig and VER_SEL of section
// Init, then configuration CurConfig. A missing config.ini gives
// configuration 0 in Chinese.
void LoadStartupState(ProfileFiles& files, AppState& state);

}  // namespace zr
