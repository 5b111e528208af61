// Importing a macro file chosen by the user. The file replaces the whole
// user table, and the next save writes that table over the user's macro
// file, so a file without any macro record (any other file, garbage, a name
// typed for a file that is not there) must not get that far.
#pragma once

#include <cstdint>
#include <string_view>

#include "macros/MacroFile.h"

namespace zr {

// Told in the window's language when an import finds no macro record.
inline constexpr std::u16string_view kNoMacrosMessageEnglish = u"The file holds no macros. Nothing was imported.";
inline constexpr std::u16string_view kNoMacrosMessageChinese = u"该文件中没有宏，未导入任何内容。";
std::u16string_view NoMacrosMessage(std::uint8_t languageFlag);

// A macro file with at least one record: section "Macros" whose "macroNum"
// reads as 1 or more.
bool HoldsMacroRecords(ProfileFiles& profiles, std::u16string_view path);

// Replaces the user table from `path` when it holds a macro record. False,
// with the tables untouched and nothing shown, otherwise: the caller tells
// the user in the window's language.
bool ImportMacroFile(MacroFileServices& services, std::u16string_view path, MacroTables& tables);

}  // namespace zr
