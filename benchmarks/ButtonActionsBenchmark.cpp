// The reader and worker threads against the virtual mouse: how long a
// button press takes to reach the mouse as a consumer key, and how much CPU
// the two threads use while nothing happens (none: they block).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <thread>

#include "config/ConfigRecord.h"
#include "device/ButtonActionThreads.h"
#include "device/DeviceLink.h"
#include "device/FeatureReports.h"
#include "macros/MacroRecord.h"
#include "shared/MemoryProfileFiles.h"
#include "virtual_mouse/VirtualMouse.h"

namespace {

class NoWait final : public zr::StepTimer {
 public:
  void BeginPlayback() override {}
  bool Wait(std::uint32_t) override { return true; }
  void Interrupt() override {}
  void Close() override {}
};

class NoRepaint final : public zr::WindowRepaint {
 public:
  void RepaintWholeWindow() override {}
};

class NoPrograms final : public zr::ProgramStarter {
 public:
  void StartSystemProgram(std::u16string_view) override {}
};

struct ThreadsRig {
  ThreadsRig() {
    zr::SetFactoryDefaults(config);
    config.K[4] = 28;  // button code 5 sends Mute; the firmware hands it to the host once function 0 is sent
    link.SetInputChanged([this](bool present) { reader.InputChanged(present); });
    link.OpenDevice();
    reports.SendButtonAssignment(5, 0);
    threads.Start();
  }
  ~ThreadsRig() { threads.Stop(); }

  zr::virtual_mouse::VirtualMouse mouse;
  zr::DeviceLink link{mouse};
  NoWait timer;
  zr::FeatureReports reports{link, timer};
  NoPrograms programs;
  NoRepaint noRepaint;
  zr::ConfigRecord config;
  zr::MacroTables macros;
  zr::test::MemoryProfileFiles files;
  std::atomic<std::int32_t> current{1};
  zr::ButtonActionHandover handover;
  zr::ButtonActionWorker worker{{config, macros, files, u"config.ini", current, noRepaint}, handover, reports, timer,
                                programs};
  zr::InputReportReader reader{link, handover, config.MACRO_MODE2};
  zr::ButtonActionThreads threads{reader, worker, handover};
};

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_PressToConsumerKey(benchmark::State& state) {
  ThreadsRig rig;
  std::size_t sent = 0;
  for (auto _ : state) {
    rig.mouse.Press(5);
    rig.mouse.Release(5);
    ++sent;
    while (rig.mouse.State().consumerKeys.size() < sent) std::this_thread::yield();
    // A press while the worker is still busy would only be a stop request.
    while (rig.handover.Pending()) std::this_thread::yield();
  }
}
BENCHMARK(BM_PressToConsumerKey)->UseRealTime();

void BM_IdleThreadsCpu(benchmark::State& state) {
  ThreadsRig rig;
  for (auto _ : state) {
    const double before = ProcessCpuSeconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    state.counters["cpu_ms_per_s_idle"] = (ProcessCpuSeconds() - before) * 2000.0;
  }
}
BENCHMARK(BM_IdleThreadsCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
