// Macro files: one profile-file section "Macros" with the record count under
// "macroNum" and each record as a string of 1064 three-digit fields under
// its index. User, constant, default and exported macros all use it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "macros/MacroRecord.h"
#include "platform/FileQueries.h"
#include "platform/ProfileFiles.h"
#include "platform/UserNotices.h"

namespace zr {

struct MacroFileServices {
  ProfileFiles& profiles;
  FileQueries& files;
  UserNotices& notices;
};

inline constexpr std::u16string_view kMacroSection = u"Macros";
inline constexpr std::u16string_view kMacroCountKey = u"macroNum";

// "macroNum" comes back through a buffer of three characters: two digits at most.
inline constexpr std::size_t kMacroCountBuffer = 3;

inline constexpr std::size_t kRecordFields = 1064;
inline constexpr std::size_t kRecordStringLength = 3 * kRecordFields;

// The record string as the file stores it; keys go out as virtual-key codes.
std::u16string MacroRecordString(const MacroRecord& record);
// The inverse, for any text at all: missing or non-numeric fields read as 0,
// larger values keep their low eight bits. What a file says is bounded here:
// the name keeps a terminator and the event count stays within the editor's
// limit.
MacroRecord MacroRecordFromString(std::u16string_view text);

// Replace the user table (and point the current macro at the last macro) or
// the constant table. A missing file is reported to the user and reads as
// an empty file; the count is held to the slots the table has (12 user
// macros above which the template slot stays blank, 13 constant ones), and
// the slots above the new count are freed, so that no macro of an earlier
// file comes back when a new one is created.
void LoadMacroFile(MacroFileServices& services, std::u16string_view path, MacroTables& tables);
void LoadConstantMacroFile(MacroFileServices& services, std::u16string_view path, MacroTables& tables);

// Writes the count and the records below it, putting the file in place once;
// records of an earlier, longer save stay in the file unread. False when the
// file could not be written.
bool SaveMacroFile(ProfileFiles& profiles, std::u16string_view path, const MacroTables& tables);

}  // namespace zr
