// The configuration record in config.ini and in profile files: sections
// Config<N> and the factory-default sections CfgReset<N> / CfgReset_EN5.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/ConfigRecord.h"
#include "platform/ProfileFiles.h"

namespace zr {

// Profile files exported and imported by the user hold this configuration.
inline constexpr std::int32_t kProfileConfigNumber = 7;
// config.ini keeps the configuration last written into the mouse here.
inline constexpr std::int32_t kDownloadSnapshotNumber = 6;

std::u16string ConfigSectionName(std::int32_t number);
// The section a factory reset reads configuration `number` from.
std::u16string ResetSectionName(std::int32_t number, std::uint8_t languageFlag);

// Fills every stored field from one section; a missing key gives 0.
void LoadConfiguration(ProfileFiles& files, std::u16string_view path, std::int32_t number, bool reset,
                       std::uint8_t languageFlag, ConfigRecord& record);
// Writes every stored field to Config<number>, in the file's key order.
// Each save puts its file in place once, whole (ProfileFiles::WriteStrings).
void SaveConfiguration(ProfileFiles& files, std::u16string_view path, std::int32_t number, const ConfigRecord& record);
// The writes of SaveConfiguration, for an action that saves more than one
// section and writes the file once.
void AddConfigurationWrites(std::vector<ProfileWrite>& writes, std::int32_t number, const ConfigRecord& record);
void SaveCurrentDpiLevel(ProfileFiles& files, std::u16string_view path, std::int32_t number, const ConfigRecord& record);
void SaveReportRateStep(ProfileFiles& files, std::u16string_view path, std::int32_t number, const ConfigRecord& record);

// Rewrites configurations 1..5 from the factory defaults and reloads the
// current one, repaired. The caller then resets the macros and downloads.
void FactoryReset(ProfileFiles& files, std::u16string_view path, std::int32_t currentNumber, std::uint8_t languageFlag,
                  ConfigRecord& record);

// A profile file holds one configuration as Config7; an import is repaired.
void ExportProfile(ProfileFiles& files, std::u16string_view profilePath, const ConfigRecord& record);
void ImportProfile(ProfileFiles& files, std::u16string_view profilePath, std::uint8_t languageFlag,
                   ConfigRecord& record);
// A file without any key of the profile section is not a profile: nothing
// changes and false comes back, for the shell to say so in the window's language.
bool ImportCheckedProfile(ProfileFiles& files, std::u16string_view profilePath, std::uint8_t languageFlag,
                          ConfigRecord& record);

// The keys of a configuration section, in the order a save writes them.
inline constexpr std::array<std::u16string_view, 22> kConfigurationKeys = {
    u"K0",          u"K1",          u"K2",          u"K3",          u"K4",          u"K5",
    u"DPI_LEVEL",   u"WHEEL_STATUS", u"MACRO_MODE2", u"DPI_SET0",   u"DPI_SET_EN0", u"DPI_SET1",
    u"DPI_SET_EN1", u"DPI_SET2",    u"DPI_SET_EN2", u"DPI_SET3",    u"DPI_SET_EN3", u"LED_STATUS",
    u"DPI_SPEED",   u"WHEEL_SPEED", u"USB_SPEED",   u"FIRE_TIME"};

// Section Init of config.ini.
struct StartupChoices {
  std::int32_t currentConfig = 0;
  std::uint8_t languageFlag = 0;  // nonzero English, zero Chinese
};
StartupChoices ReadStartupChoices(ProfileFiles& files, std::u16string_view path);
void SaveCurrentConfigNumber(ProfileFiles& files, std::u16string_view path, std::int32_t number);
ProfileWrite CurrentConfigNumberWrite(std::int32_t number);
void SaveLanguageFlag(ProfileFiles& files, std::u16string_view path, std::uint8_t languageFlag);

}  // namespace zr
