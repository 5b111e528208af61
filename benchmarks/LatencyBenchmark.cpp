// Figures that docs/performance.md reports: a press's way from the mouse's
// input report to the first feature report it causes, the wakeups of the idle
// reader and worker, and macro step timing against the stated delays.
#include <benchmark/benchmark.h>

#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "MacroStepTiming.h"
#include "config/ConfigRecord.h"
#include "device/ButtonActionThreads.h"
#include "device/InputReportReader.h"

namespace {

using zr::timing::PercentilesOf;

class NoWaitTimer final : public zr::StepTimer {
 public:
  void BeginPlayback() override {}
  bool Wait(std::uint32_t) override { return true; }
  void Interrupt() override {}
  void Close() override {}
};

struct ThreadedMouse {
  ThreadedMouse() {
    zr::SetFactoryDefaults(config);
    config.K[4] = 28;  // button code 5 sends a consumer key
    link.SetInputChanged([this](bool present) { reader.InputChanged(present); });
    threads.Start();  // before the open, as the program starts them
    link.OpenDevice();
    reports.SendButtonAssignment(5, 0);
  }
  ~ThreadedMouse() { threads.Stop(); }

  zr::virtual_mouse::VirtualMouse mouse;
  zr::DeviceLink link{mouse};
  zr::timing::NoSleep sleeper;
  zr::FeatureReports reports{link, sleeper};
  NoWaitTimer timer;
  zr::timing::NoProgramStarts programs;
  zr::timing::NoRepaint window;
  zr::ConfigRecord config;
  zr::MacroTables macros;
  zr::test::MemoryProfileFiles files;
  std::atomic<std::int32_t> current{1};
  zr::ButtonActionHandover handover;
  zr::ButtonActionWorker worker{{config, macros, files, u"config.ini", current, window}, handover, reports, timer,
                                programs};
  zr::InputReportReader reader{link, handover, config.MACRO_MODE2};
  zr::ButtonActionThreads threads{reader, worker, handover};
};

// From the moment the mouse queues a press report to the moment it receives
// the consumer key report the press causes.
void BM_InputReportToFirstFeatureReport(benchmark::State& state) {
  ThreadedMouse rig;
  std::vector<double> latencies;
  for (auto _ : state) {
    rig.mouse.ClearLog();
    const auto pressed = std::chrono::steady_clock::now();
    rig.mouse.Press(5);
    while (rig.mouse.FeatureLog().empty()) std::this_thread::yield();
    latencies.push_back(std::chrono::duration<double, std::micro>(rig.mouse.FeatureLog().front().at - pressed).count());
    rig.mouse.Release(5);
    while (rig.handover.Pending()) std::this_thread::yield();
  }
  const auto p = PercentilesOf(latencies);
  state.counters["p50_us"] = p.p50;
  state.counters["p99_us"] = p.p99;
}
BENCHMARK(BM_InputReportToFirstFeatureReport)->Iterations(2000)->UseRealTime();

// Voluntary context switches of every thread but this one: each is a
// thread that blocked, so once the threads wait, one per wakeup.
long long OtherThreadsSwitches() {
  const long self = syscall(SYS_gettid);
  long long total = 0;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    if (task.path().filename() == std::to_string(self)) continue;
    std::ifstream status(task.path() / "status");
    for (std::string line; std::getline(status, line);)
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0) total += std::stoll(line.substr(24));
  }
  return total;
}

void BM_IdleThreadWakeups(benchmark::State& state) {
  ThreadedMouse rig;
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // let both threads settle in their waits
  for (auto _ : state) {
    const long long before = OtherThreadsSwitches();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    state.counters["wakeups_per_s"] = (OtherThreadsSwitches() - before) / 2.0;
  }
}
BENCHMARK(BM_IdleThreadWakeups)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MacroStepError(benchmark::State& state) {
  const auto delay = static_cast<std::uint16_t>(state.range(0));
  std::vector<double> errors;
  for (auto _ : state) {
    const std::vector<double> run = zr::timing::StepErrors(delay, 60);
    errors.insert(errors.end(), run.begin(), run.end());
  }
  const auto p = PercentilesOf(errors);
  state.counters["p50_ms"] = p.p50;
  state.counters["p99_ms"] = p.p99;
}
BENCHMARK(BM_MacroStepError)->Arg(15)->Arg(16)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
