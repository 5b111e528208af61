#include "config/ConfigStore.h"

#include <vector>

#include "config/ConfigRepair.h"
#include "platform/Text.h"

namespace zr {
namespace {

constexpr std::size_t kNumberBuffer = 5;     // four characters and the terminator
constexpr std::size_t kDpiNumberBuffer = 10;  // the DPI keys allow nine

std::u16string SlotKey(int slot) { return u"K" + DecimalText(slot); }
std::u16string DpiSetKey(int level) { return u"DPI_SET" + DecimalText(level); }
std::u16string DpiEnabledKey(int level) { return u"DPI_SET_EN" + DecimalText(level); }

class SectionReader {
 public:
  SectionReader(ProfileFiles& files, std::u16string_view path, std::u16string section)
      : files_(files), path_(path), section_(std::move(section)) {}

  std::int32_t Number(std::u16string_view key, std::size_t bufferSize = kNumberBuffer) {
    return DecimalValue(files_.ReadString(section_, key, u"", bufferSize, path_));
  }
  std::uint8_t Byte(std::u16string_view key, std::size_t bufferSize = kNumberBuffer) {
    return static_cast<std::uint8_t>(Number(key, bufferSize));
  }

 private:
  ProfileFiles& files_;
  std::u16string_view path_;
  std::u16string section_;
};

class SectionWriter {
 public:
  SectionWriter(std::vector<ProfileWrite>& writes, std::int32_t number)
      : writes_(writes), section_(ConfigSectionName(number)) {}

  void Number(std::u16string_view key, std::int64_t value) {
    writes_.push_back({section_, std::u16string(key), DecimalText(value)});
  }

 private:
  std::vector<ProfileWrite>& writes_;
  std::u16string section_;
};

// Write failures are not the caller's concern: the record in memory stays as
// it is, and the files themselves tell the user once (see SaveFailureWatch).
void Commit(ProfileFiles& files, std::u16string_view path, const std::vector<ProfileWrite>& writes) {
  files.WriteStrings(writes, path);
}

}  // namespace

std::u16string ConfigSectionName(std::int32_t number) { return u"Config" + DecimalText(number); }

std::u16string ResetSectionName(std::int32_t number, std::uint8_t languageFlag) {
  if (number == 5 && languageFlag == 1) return u"CfgReset_EN5";
  return u"CfgReset" + DecimalText(number);
}

void LoadConfiguration(ProfileFiles& files, std::u16string_view path, std::int32_t number, bool reset,
                       std::uint8_t languageFlag, ConfigRecord& record) {
  SectionReader in(files, path, reset ? ResetSectionName(number, languageFlag) : ConfigSectionName(number));
  for (int slot = 0; slot < kButtonSlots; ++slot) record.K[slot] = in.Number(SlotKey(slot));
  record.WHEEL_STATUS = in.Number(u"WHEEL_STATUS");
  record.MACRO_MODE2 = in.Number(u"MACRO_MODE2");
  record.DPI_LEVEL = in.Number(u"DPI_LEVEL");
  for (int level = 0; level < kDpiLevels; ++level) {
    record.DPI_SET[level] = in.Byte(DpiSetKey(level), kDpiNumberBuffer);
    record.DPI_SET_EN[level] = in.Number(DpiEnabledKey(level), kDpiNumberBuffer) != 0 ? 1 : 0;
  }
  record.LED_STATUS = in.Byte(u"LED_STATUS");
  record.DPI_SPEED = in.Byte(u"DPI_SPEED");
  record.WHEEL_SPEED = in.Byte(u"WHEEL_SPEED");
  record.USB_SPEED = in.Byte(u"USB_SPEED");
  record.FIRE_TIME = in.Number(u"FIRE_TIME");
}

void AddConfigurationWrites(std::vector<ProfileWrite>& writes, std::int32_t number, const ConfigRecord& record) {
  SectionWriter out(writes, number);
  for (int slot = 0; slot < kButtonSlots; ++slot) out.Number(SlotKey(slot), record.K[slot]);
  out.Number(u"DPI_LEVEL", record.DPI_LEVEL);
  out.Number(u"WHEEL_STATUS", record.WHEEL_STATUS);
  out.Number(u"MACRO_MODE2", record.MACRO_MODE2);
  for (int level = 0; level < kDpiLevels; ++level) {
    out.Number(DpiSetKey(level), record.DPI_SET[level]);
    out.Number(DpiEnabledKey(level), record.DPI_SET_EN[level]);
  }
  out.Number(u"LED_STATUS", record.LED_STATUS);
  out.Number(u"DPI_SPEED", record.DPI_SPEED);
  out.Number(u"WHEEL_SPEED", record.WHEEL_SPEED);
  out.Number(u"USB_SPEED", record.USB_SPEED.load());
  out.Number(u"FIRE_TIME", record.FIRE_TIME);
}

void SaveConfiguration(ProfileFiles& files, std::u16string_view path, std::int32_t number, const ConfigRecord& record) {
  std::vector<ProfileWrite> writes;
  AddConfigurationWrites(writes, number, record);
  Commit(files, path, writes);
}

void SaveCurrentDpiLevel(ProfileFiles& files, std::u16string_view path, std::int32_t number,
                         const ConfigRecord& record) {
  std::vector<ProfileWrite> writes;
  SectionWriter(writes, number).Number(u"DPI_LEVEL", record.DPI_LEVEL);
  Commit(files, path, writes);
}

void SaveReportRateStep(ProfileFiles& files, std::u16string_view path, std::int32_t number,
                        const ConfigRecord& record) {
  std::vector<ProfileWrite> writes;
  SectionWriter(writes, number).Number(u"USB_SPEED", record.USB_SPEED.load());
  Commit(files, path, writes);
}

void FactoryReset(ProfileFiles& files, std::u16string_view path, std::int32_t currentNumber, std::uint8_t languageFlag,
                  ConfigRecord& record) {
  // The factory sections are never written, so reading them between the
  // saves or before one write of all five gives the same record.
  SetFactoryDefaults(record);
  std::vector<ProfileWrite> writes;
  AddConfigurationWrites(writes, 1, record);
  for (std::int32_t number = 5; number >= 2; --number) {
    LoadConfiguration(files, path, number, true, languageFlag, record);
    AddConfigurationWrites(writes, number, record);
  }
  Commit(files, path, writes);
  // The reload goes into the mouse: a missing or damaged section must not
  // leave it without a left click.
  LoadRepairedConfiguration(files, path, currentNumber, languageFlag, record);
}

void ExportProfile(ProfileFiles& files, std::u16string_view profilePath, const ConfigRecord& record) {
  SaveConfiguration(files, profilePath, kProfileConfigNumber, record);
}

void ImportProfile(ProfileFiles& files, std::u16string_view profilePath, std::uint8_t languageFlag,
                   ConfigRecord& record) {
  LoadRepairedConfiguration(files, profilePath, kProfileConfigNumber, languageFlag, record);
}

bool ImportCheckedProfile(ProfileFiles& files, std::u16string_view profilePath, std::uint8_t languageFlag,
                          ConfigRecord& record) {
  // A value can never be a line break, so this default tells a missing key
  // from an empty one.
  constexpr std::u16string_view kAbsent = u"\n";
  const std::u16string section = ConfigSectionName(kProfileConfigNumber);
  bool anyKey = false;
  for (std::u16string_view key : kConfigurationKeys)
    anyKey = anyKey || files.ReadString(section, key, kAbsent, 4, profilePath) != kAbsent;
  if (!anyKey) return false;
  ImportProfile(files, profilePath, languageFlag, record);
  return true;
}

StartupChoices ReadStartupChoices(ProfileFiles& files, std::u16string_view path) {
  SectionReader in(files, path, u"Init");
  StartupChoices choices;
  choices.currentConfig = in.Number(u"CurConfig");
  choices.languageFlag = in.Byte(u"VER_SEL");
  return choices;
}

ProfileWrite CurrentConfigNumberWrite(std::int32_t number) { return {u"Init", u"CurConfig", DecimalText(number)}; }

void SaveCurrentConfigNumber(ProfileFiles& files, std::u16string_view path, std::int32_t number) {
  Commit(files, path, {CurrentConfigNumberWrite(number)});
}

void SaveLanguageFlag(ProfileFiles& files, std::u16string_view path, std::uint8_t languageFlag) {
  files.WriteString(u"Init", u"VER_SEL", DecimalText(languageFlag), path);
}

}  // namespace zr
