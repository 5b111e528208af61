// The macro record, the user's macro table and the constant macro table.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "macros/KeyAction.h"

namespace zr {

inline constexpr std::size_t kMacroNameUnits = 20;
inline constexpr std::size_t kMacroEventSlots = 255;
// The editor never lets a macro grow past this, and a file cannot either.
inline constexpr std::uint8_t kMaxMacroEvents = 254;


struct MacroEvent {
  std::uint8_t key = 0;     // a key code (macros/KeyCodes.h)
  std::uint8_t action = 0;  // kKeyPress or kKeyRelease; anything else is kept but means neither
  bool operator==(const MacroEvent&) const = default;
};
static_assert(sizeof(MacroEvent) == 2);

struct MacroRecord {
  std::array<char16_t, kMacroNameUnits> name{};  // zero-terminated: at most 19 units are used
  std::uint8_t repeatMode = 0;                    // 1: play repeatCount times; 0: once
  std::uint16_t repeatCount = 0;
  std::uint8_t eventCount = 0;
  std::array<MacroEvent, kMacroEventSlots> events{};
  std::array<std::uint16_t, kMacroEventSlots> delays{};  // ms after events[k], before events[k + 1]
  bool operator==(const MacroRecord&) const = default;
};

// What a slot looks like when no macro uses it any more.
MacroRecord FreedMacroSlot();

// The name up to its terminator.
std::u16string MacroName(const MacroRecord& record);
// Keeps at most 19 units, so the name stays terminated, and never splits a
// surrogate pair; the rest of the field is cleared.
void SetMacroName(MacroRecord& record, std::u16string_view name);

inline constexpr int kMacroSlots = 13;
inline constexpr int kUserMacroSlots = 12;  // slots 0..11; the template slot follows
inline constexpr int kTemplateSlot = 12;    // never written, stays blank
inline constexpr int kConstantMacroSlots = 13;
inline constexpr int kPlayableConstantMacros = 8;  // reached by the codes 31..38

using MacroTable = std::array<MacroRecord, kMacroSlots>;

// Only the interface thread changes the tables, and it holds `mutex` while it
// does; the playback worker holds it while it copies the macro it is about to
// play. Reads on the interface thread need no lock.
struct MacroTables {
  MacroTable macros{};
  std::int16_t macroCount = 0;     // slots 0..count - 1 hold the user's macros
  std::int32_t currentMacro = 0;   // the macro the editor shows
  MacroTable constantMacros{};
  std::int16_t constantMacroCount = 0;
  mutable std::mutex mutex;
};

// Copies for playback: user macro 0..11 (code 41 + slot), constant macro
// 0..7 (code 31 + slot). Any other slot plays as a blank macro.
MacroRecord UserMacroForPlayback(const MacroTables& tables, int slot);
MacroRecord ConstantMacroForPlayback(const MacroTables& tables, int slot);

}  // namespace zr
