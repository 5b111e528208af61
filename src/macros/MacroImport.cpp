#include "macros/MacroImport.h"

#include "platform/Text.h"

namespace zr {

std::u16string_view NoMacrosMessage(std::uint8_t languageFlag) {
  return languageFlag != 0 ? kNoMacrosMessageEnglish : kNoMacrosMessageChinese;
}

bool HoldsMacroRecords(ProfileFiles& profiles, std::u16string_view path) {
  // Read as the load reads it.
  return DecimalValue(profiles.ReadString(kMacroSection, kMacroCountKey, u"", kMacroCountBuffer, path)) >= 1;
}

bool ImportMacroFile(MacroFileServices& services, std::u16string_view path, MacroTables& tables) {
  if (!HoldsMacroRecords(services.profiles, path)) return false;
  LoadMacroFile(services, path, tables);
  return true;
}

}  // namespace zr
