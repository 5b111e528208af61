#include "macros/MacroFile.h"

#include <algorithm>
#include <vector>

#include "macros/KeyCodes.h"
#include "platform/Text.h"

namespace zr {
namespace {

constexpr std::size_t kRecordBuffer = kRecordStringLength + 1;

constexpr std::size_t kRepeatModeField = 40;
constexpr std::size_t kRepeatCountField = 41;  // low byte, then high byte
constexpr std::size_t kEventCountField = 43;
constexpr std::size_t kFirstEventField = 44;  // key, action, delay low, delay high per event
static_assert(kFirstEventField + 4 * kMacroEventSlots == kRecordFields);

using RecordFields = std::array<std::uint8_t, kRecordFields>;

std::uint8_t Low(unsigned value) { return static_cast<std::uint8_t>(value & 0xFF); }
std::uint8_t High(unsigned value) { return static_cast<std::uint8_t>((value >> 8) & 0xFF); }
std::uint16_t Word(std::uint8_t low, std::uint8_t high) { return static_cast<std::uint16_t>(low | (high << 8)); }

RecordFields FieldsOf(const MacroRecord& record) {
  RecordFields fields{};
  for (std::size_t i = 0; i < kMacroNameUnits; ++i) {
    fields[2 * i] = Low(record.name[i]);
    fields[2 * i + 1] = High(record.name[i]);
  }
  fields[kRepeatModeField] = record.repeatMode;
  fields[kRepeatCountField] = Low(record.repeatCount);
  fields[kRepeatCountField + 1] = High(record.repeatCount);
  fields[kEventCountField] = record.eventCount;
  for (std::size_t k = 0; k < kMacroEventSlots; ++k) {
    const std::size_t f = kFirstEventField + 4 * k;
    fields[f] = VirtualKeyFromKeyCode(record.events[k].key);
    fields[f + 1] = record.events[k].action;
    fields[f + 2] = Low(record.delays[k]);
    fields[f + 3] = High(record.delays[k]);
  }
  return fields;
}

MacroRecord RecordOf(const RecordFields& fields) {
  MacroRecord record;
  for (std::size_t i = 0; i < kMacroNameUnits; ++i) record.name[i] = Word(fields[2 * i], fields[2 * i + 1]);
  record.repeatMode = fields[kRepeatModeField];
  record.repeatCount = Word(fields[kRepeatCountField], fields[kRepeatCountField + 1]);
  record.eventCount = fields[kEventCountField];
  for (std::size_t k = 0; k < kMacroEventSlots; ++k) {
    const std::size_t f = kFirstEventField + 4 * k;
    record.events[k] = {KeyCodeFromVirtualKey(fields[f]), fields[f + 1]};
    record.delays[k] = Word(fields[f + 2], fields[f + 3]);
  }
  return record;
}

void AppendField(std::u16string& text, std::uint8_t value) {
  text.push_back(static_cast<char16_t>(u'0' + value / 100));
  text.push_back(static_cast<char16_t>(u'0' + value / 10 % 10));
  text.push_back(static_cast<char16_t>(u'0' + value % 10));
}

std::int16_t ReadTable(MacroFileServices& services, std::u16string_view path, MacroTables& tables, MacroTable& table,
                       int usableSlots) {
  if (!services.files.Exists(path)) services.notices.ShowMessage(kMissingFileMessage);
  const std::int32_t stated =
      DecimalValue(services.profiles.ReadString(kMacroSection, kMacroCountKey, u"", kMacroCountBuffer, path));
  const int count = std::clamp(stated, 0, usableSlots);

  // Read everything first: the worker may copy a macro meanwhile, and must
  // find either the old table or the new one, never a file half read.
  MacroTable loaded = table;
  for (int i = 0; i < usableSlots; ++i) {
    loaded[i] = i < count ? MacroRecordFromString(services.profiles.ReadString(kMacroSection, DecimalText(i), u"",
                                                                               kRecordBuffer, path))
                          : FreedMacroSlot();
  }
  std::lock_guard lock(tables.mutex);
  table = loaded;
  return static_cast<std::int16_t>(count);
}

}  // namespace

std::u16string MacroRecordString(const MacroRecord& record) {
  std::u16string text;
  text.reserve(kRecordStringLength);
  for (std::uint8_t field : FieldsOf(record)) AppendField(text, field);
  return text;
}

MacroRecord MacroRecordFromString(std::u16string_view text) {
  RecordFields fields{};
  for (std::size_t f = 0; f < kRecordFields && 3 * f < text.size(); ++f)
    fields[f] = static_cast<std::uint8_t>(DecimalValue(text.substr(3 * f, 3)) & 0xFF);
  MacroRecord record = RecordOf(fields);
  record.name.back() = u'\0';
  record.eventCount = std::min(record.eventCount, kMaxMacroEvents);
  return record;
}

void LoadMacroFile(MacroFileServices& services, std::u16string_view path, MacroTables& tables) {
  const std::int16_t count = ReadTable(services, path, tables, tables.macros, kUserMacroSlots);
  std::lock_guard lock(tables.mutex);
  tables.macroCount = count;
  tables.currentMacro = count >= 1 ? count - 1 : 0;
}

void LoadConstantMacroFile(MacroFileServices& services, std::u16string_view path, MacroTables& tables) {
  const std::int16_t count = ReadTable(services, path, tables, tables.constantMacros, kConstantMacroSlots);
  std::lock_guard lock(tables.mutex);
  tables.constantMacroCount = count;
}

bool SaveMacroFile(ProfileFiles& profiles, std::u16string_view path, const MacroTables& tables) {
  const int count = std::clamp<int>(tables.macroCount, 0, kUserMacroSlots);
  std::vector<ProfileWrite> writes;
  writes.reserve(static_cast<std::size_t>(count) + 1);
  writes.push_back({std::u16string(kMacroSection), std::u16string(kMacroCountKey), DecimalText(count)});
  for (int i = 0; i < count; ++i)
    writes.push_back({std::u16string(kMacroSection), DecimalText(i), MacroRecordString(tables.macros[i])});
  return profiles.WriteStrings(writes, path);
}

}  // namespace zr
