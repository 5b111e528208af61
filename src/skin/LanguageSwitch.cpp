#include "skin/LanguageSwitch.h"

#include "config/ConfigStore.h"

namespace zr {

bool SwitchLanguage(std::uint8_t languageFlag, LanguageSwitchTarget target, SkinValueReader& reader,
                    LanguageSwitchHooks& hooks) {
  target.languageFlag = languageFlag;
  SaveLanguageFlag(target.profiles, target.paths.ConfigFile(), languageFlag);
  // The skin folder is always formed afresh from the application directory,
  // so the English switch has no folder of its own to reset.
  if (!LoadPageLayouts(reader, target.paths, languageFlag, target.skin) ||
      !LoadWarningLayout(reader, target.paths, languageFlag, target.skin))
    return false;
  hooks.ReloadMacros(target.paths.MacroFile(languageFlag));
  hooks.RefreshAdvancedPage();
  hooks.RebuildMenus(languageFlag);
  hooks.SetMainWindowTitle(kMainWindowTitle);
  return true;
}

}  // namespace zr
