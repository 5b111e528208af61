#include "macros/MacroReset.h"

namespace zr {

bool ResetMacros(MacroFileServices& services, const MacroPaths& paths, std::uint8_t languageFlag, MacroTables& tables,
                 const std::function<void()>& showReloadedTable) {
  const std::u16string defaults = paths.DefaultMacroFile(languageFlag);
  if (!services.files.Exists(defaults)) {
    services.notices.ShowMessage(kMissingFileMessage);
    return false;
  }
  LoadMacroFile(services, defaults, tables);
  if (showReloadedTable) showReloadedTable();
  return SaveMacroFile(services.profiles, paths.MacroFile(languageFlag), tables);
}

}  // namespace zr
