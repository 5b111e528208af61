#include "skin/LanguageSwitch.h"

#include "config/ConfigStore.h"

namespace zr {

bool SwitchLanguage(std::uint8_t languageFlag, LanguageSwitchTarget target, SkinValueReader& reader,
                    LanguageSwitchHooks& hooks) {
  // Stored first and loaded second, a missing file would end the utility
  // with the flag already pointing at that language, and every later start
  // would read the flag and end the same way.
  std::u16string layoutFiles[std::size(kAllSkinLayoutFiles)];
  for (std::size_t i = 0; i < std::size(kAllSkinLayoutFiles); ++i)
    layoutFiles[i] = target.paths.skin.SkinLayout(kAllSkinLayoutFiles[i], languageFlag);
  if (!reader.AllFilesPresent(layoutFiles)) return false;

  target.languageFlag = languageFlag;
  SaveLanguageFlag(target.profiles, target.paths.configFile, languageFlag);
  // The skin folder is always formed afresh from the application directory,
  // so the English switch has no folder of its own to reset.
  if (!LoadPageLayouts(reader, target.paths.skin, languageFlag, target.skin) ||
      !LoadWarningLayout(reader, target.paths.skin, languageFlag, target.skin))
    return false;
  hooks.ReloadMacros(target.paths.MacroFile(languageFlag));
  hooks.RefreshAdvancedPage();
  hooks.RebuildMenus(languageFlag);
  hooks.SetMainWindowTitle(target.paths.mainWindowTitle);
  return true;
}

}  // namespace zr
