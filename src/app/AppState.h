// The process-wide state the main window works on.
#pragma once

#include <atomic>
#include <cstdint>

#include "app/AppPaths.h"
#include "skin/SkinLayout.h"
#include "skin/UiState.h"
#include "config/ConfigRecord.h"
#include "macros/MacroEditorState.h"
#include "macros/MacroRecord.h"
#include "platform/FileQueries.h"
#include "platform/ProfileFiles.h"

namespace zr {

struct AppState {
  AppPaths paths;
  ConfigRecord config;
  MacroTables macros;
  // N of the Config<N> in use; the button-action worker saves into it.
  std::atomic<std::int32_t> currentConfig{0};
  std::uint8_t languageFlag = 0;   // nonzero English, zero Chinese
  SkinLayouts skin;
  UiState ui;
  ColourPreviewState preview;
  MacroEditorState editor;
};

// The start-up reads of the main window: CurConfig and VER_SEL of section
// Init, then configuration CurConfig, repaired (LoadStartupConfiguration).
// A missing config.ini gives configuration 1's factory defaults in Chinese.
void LoadStartupState(ProfileFiles& files, FileQueries& fileQueries, AppState& state);

}  // namespace zr
