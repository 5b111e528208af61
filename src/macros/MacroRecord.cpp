#include "macros/MacroRecord.h"

#include <algorithm>

namespace zr {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

MacroRecord CopyUnderLock(const MacroTables& tables, const MacroTable& table, int slot, int usable) {
  if (slot < 0 || slot >= usable) return MacroRecord{};
  std::lock_guard lock(tables.mutex);
  return table[static_cast<std::size_t>(slot)];
}

}  // namespace

MacroRecord FreedMacroSlot() {
  MacroRecord record;
  record.repeatCount = 1;
  return record;
}

std::u16string MacroName(const MacroRecord& record) {
  const auto end = std::find(record.name.begin(), record.name.end(), u'\0');
  return std::u16string(record.name.begin(), end);
}

void SetMacroName(MacroRecord& record, std::u16string_view name) {
  std::size_t length = std::min(name.size(), kMacroNameUnits - 1);
  if (length < name.size() && length > 0 && IsHighSurrogate(name[length - 1])) --length;
  record.name.fill(u'\0');
  std::copy_n(name.begin(), length, record.name.begin());
}

MacroRecord UserMacroForPlayback(const MacroTables& tables, int slot) {
  return CopyUnderLock(tables, tables.macros, slot, kUserMacroSlots);
}

MacroRecord ConstantMacroForPlayback(const MacroTables& tables, int slot) {
  return CopyUnderLock(tables, tables.constantMacros, slot, kPlayableConstantMacros);
}

}  // namespace zr
