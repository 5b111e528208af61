// Switching the skin between English and Chinese while the utility runs.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ProfileFiles.h"
#include "skin/SkinLayout.h"
#include "skin/SkinPaths.h"
#include "skin/SkinReader.h"

namespace zr {

// The steps of a switch that belong to the windows and the macros.
class LanguageSwitchHooks {
 public:
  virtual ~LanguageSwitchHooks() = default;
  // The macro file path is now `macroFile`; load the user macros from it.
  virtual void ReloadMacros(std::u16string_view macroFile) = 0;
  // If the advanced page shows, refill its macro list and invalidate the whole window.
  virtual void RefreshAdvancedPage() = 0;
  // Rebuild the step context menu and the notification-area menu for the language.
  virtual void RebuildMenus(std::uint8_t languageFlag) = 0;
  virtual void SetMainWindowTitle(std::u16string_view title) = 0;
};

struct LanguageSwitchTarget {
  ProfileFiles& profiles;
  LanguageSwitchPaths paths;
  std::uint8_t& languageFlag;
  SkinLayouts& skin;
};

// Sets and stores the flag (1 English, 0 Chinese) and reloads the layouts
// (main, colour, advanced, warning), then the macros, the page and the menus.
// The new language's layout files are looked for first: when one is
// missing the user is told, and the flag, the stored flag and the layouts
// stay as they were, so the utility keeps running in its language and
// starts in it again. False then, and when a layout file vanished halfway
// (the reader has asked for the exit procedure and the steps after the
// layouts are not taken).
bool SwitchLanguage(std::uint8_t languageFlag, LanguageSwitchTarget target, SkinValueReader& reader,
                    LanguageSwitchHooks& hooks);

}  // namespace zr
