// Any bytes as config.ini (and as a profile file), loaded as the program
// loads them at start-up, on import, after a factory reset and after hide.
// Beyond crashes it checks the promise of the repair: whatever the file
// says, the record that can reach the mouse has a left click, an enabled
// current level and every field in its range; the current configuration is
// one of the five; and a repaired record saved and loaded again comes back
// unchanged, with nothing left to repair. (The hide command's reload is the
// same load of Config6 that the round trip makes.)
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "MemoryFiles.h"
#include "config/ConfigRepair.h"
#include "config/ConfigStore.h"
#include "config/FunctionTable.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void RequireUsable(const zr::ConfigRecord& r) {
  bool leftClick = false;
  for (const auto& code : r.K) {
    Require(zr::IsValidFunctionCode(code));
    leftClick = leftClick || zr::DeviceFunction(code) == 1;
  }
  Require(leftClick);
  Require(r.DPI_LEVEL >= 0 && r.DPI_LEVEL < zr::kDpiLevels);
  Require(r.DPI_SET_EN[static_cast<std::size_t>(r.DPI_LEVEL.load())] == 1);
  for (int j = 0; j < zr::kDpiLevels; ++j) {
    Require(r.DPI_SET[j] < zr::kDpiSteps);
    Require(r.DPI_SET_EN[j] <= 1);
  }
  Require(r.WHEEL_STATUS == 0 || r.WHEEL_STATUS == 1);
  Require(r.MACRO_MODE2 == 0 || r.MACRO_MODE2 == 1);
  Require(r.LED_STATUS < zr::kLedModes);
  Require(r.DPI_SPEED < zr::kSpeedSteps && r.WHEEL_SPEED < zr::kSpeedSteps);
  Require(r.USB_SPEED <= zr::kLastReportRateStep);
  Require(r.FIRE_TIME >= 0 && r.FIRE_TIME <= zr::kFireTimeMax);
}

// Saved where the download saves it and loaded back, the record is the same
// and the repair finds nothing to do.
void RequireStable(zr::fuzz::MemoryFiles& files, const std::u16string& path, const zr::ConfigRecord& r) {
  zr::SaveConfiguration(files, path, zr::kDownloadSnapshotNumber, r);
  auto again = std::make_unique<zr::ConfigRecord>();
  again->MACRO_MODE2 = 7;  // every field must be overwritten
  Require(!zr::LoadRepairedConfiguration(files, path, zr::kDownloadSnapshotNumber, 1, *again));
  for (int s = 0; s < zr::kButtonSlots; ++s) Require(again->K[s] == r.K[s]);
  Require(again->DPI_LEVEL == r.DPI_LEVEL && again->WHEEL_STATUS == r.WHEEL_STATUS &&
          again->MACRO_MODE2 == r.MACRO_MODE2 && again->DPI_SET == r.DPI_SET && again->DPI_SET_EN == r.DPI_SET_EN &&
          again->LED_STATUS == r.LED_STATUS && again->DPI_SPEED == r.DPI_SPEED &&
          again->WHEEL_SPEED == r.WHEEL_SPEED && again->USB_SPEED == r.USB_SPEED && again->FIRE_TIME == r.FIRE_TIME);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string config = u"\\config.ini", profile = u"\\profile.ini";
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  zr::fuzz::MemoryFiles files;
  files.Put(config, bytes);
  files.Put(profile, bytes);

  auto record = std::make_unique<zr::ConfigRecord>();
  const zr::StartupChoices choices = zr::LoadStartupConfiguration(files, files, config, *record);
  Require(choices.currentConfig >= zr::kFirstStoredConfig && choices.currentConfig <= zr::kLastStoredConfig);
  RequireUsable(*record);
  RequireStable(files, config, *record);

  zr::ImportProfile(files, profile, choices.languageFlag, *record);
  RequireUsable(*record);

  // The factory reset's reload: Config<N> rewritten from CfgReset<N> of the
  // same file, which the fuzzer fills too.
  zr::FactoryReset(files, config, choices.currentConfig, choices.languageFlag, *record);
  RequireUsable(*record);
  return 0;
}
