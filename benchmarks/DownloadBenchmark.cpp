// The host's cost of a configuration download against the virtual mouse:
// with config.ini written through the portable profile engine on disk, and
// with the file writes left out so the report traffic shows on its own.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "config/ConfigDownload.h"
#include "config/ConfigRecord.h"
#include "device/DeviceLink.h"
#include "device/FeatureReports.h"
#include "platform/IniEngine.h"
#include "QuietServices.h"
#include "shared/MemoryProfileFiles.h"
#include "virtual_mouse/VirtualMouse.h"

namespace {

struct Rig {
  zr::virtual_mouse::VirtualMouse mouse;
  zr::DeviceLink link{mouse};
  zr::timing::NoSleep sleeper;
  zr::FeatureReports reports{link, sleeper};
  zr::timing::UnchangingSettings system;
  zr::timing::NoRepaint repaint;
  zr::ConfigRecord record;

  Rig() {
    link.OpenDevice();
    zr::SetFactoryDefaults(record);
  }
};

void RunDownloads(benchmark::State& state, zr::ProfileFiles& files, std::u16string_view configFile) {
  Rig rig;
  const zr::DownloadServices services{files, rig.reports, rig.system, rig.repaint};
  std::int64_t count = 0;
  for (auto _ : state) {
    zr::Download(services, rig.record, 1, configFile);
    // The mouse's log would otherwise grow with every iteration.
    if (++count % 1024 == 0) {
      state.PauseTiming();
      rig.mouse.ClearLog();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_DownloadWithConfigFile(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("zr-bench-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::filesystem::create_directories(folder);
  zr::PortableProfileFiles files;
  RunDownloads(state, files, folder.u16string() + u"\\config.ini");
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DownloadWithConfigFile)->Unit(benchmark::kMicrosecond);

void BM_DownloadReportsOnly(benchmark::State& state) {
  zr::test::MemoryProfileFiles files;
  RunDownloads(state, files, u"config.ini");
}
BENCHMARK(BM_DownloadReportsOnly)->Unit(benchmark::kMicrosecond);

void BM_KeyPressAndRelease(benchmark::State& state) {
  Rig rig;
  std::int64_t count = 0;
  for (auto _ : state) {
    rig.reports.SendKeyEvent(0x04, zr::kKeyPress);
    rig.reports.SendKeyEvent(0x04, zr::kKeyRelease);
    if (++count % 4096 == 0) {
      state.PauseTiming();
      rig.mouse.ClearLog();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_KeyPressAndRelease);

}  // namespace
