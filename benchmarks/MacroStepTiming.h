// How far macro steps stray from their stated delays, seen where it matters:
// the times at which the virtual mouse receives the key reports. The worker
// plays a macro through the device link with the platform's step timer;
// shared by the native benchmarks and the Wine timing harness.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "config/ConfigRecord.h"
#include "device/ButtonActions.h"
#include "device/DeviceLink.h"
#include "device/FeatureReports.h"
#include "macros/MacroRecord.h"
#include "platform/StepTimer.h"
#include "QuietServices.h"
#include "shared/MemoryProfileFiles.h"
#include "virtual_mouse/VirtualMouse.h"

namespace zr::timing {

struct Percentiles {
  double p50 = 0;
  double p99 = 0;
  std::size_t samples = 0;
};

inline Percentiles PercentilesOf(std::vector<double> values) {
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  auto at = [&](double q) { return values[std::min(values.size() - 1, static_cast<std::size_t>(q * values.size()))]; };
  return {at(0.50), at(0.99), values.size()};
}

class NoProgramStarts final : public ProgramStarter {
 public:
  void StartSystemProgram(std::u16string_view) override {}
};

// Plays one macro of `steps` key events, each `delayMs` apart, and returns
// the error of every step in milliseconds: the time between two key reports
// at the mouse less the stated delay.
inline std::vector<double> StepErrors(std::uint16_t delayMs, int steps) {
  virtual_mouse::VirtualMouse mouse;
  DeviceLink link{mouse};
  link.OpenDevice();
  NoSleep sleeper;
  FeatureReports reports{link, sleeper};
  ConfigRecord config;
  MacroTables macros;
  test::MemoryProfileFiles files;
  std::atomic<std::int32_t> current{1};
  NoRepaint window;
  NoProgramStarts programs;
  ButtonActionHandover handover;
  const auto timer = MakeSystemStepTimer();
  ButtonActionWorker worker{{config, macros, files, u"config.ini", current, window}, handover, reports, *timer,
                            programs};

  MacroRecord macro;
  macro.eventCount = static_cast<std::uint8_t>(std::min(steps, 254));
  for (int k = 0; k < macro.eventCount; ++k) {
    macro.events[k] = {0x04, k % 2 == 0 ? kKeyPress : kKeyRelease};
    macro.delays[k] = delayMs;
  }
  mouse.ClearLog();
  worker.PlayMacro(macro, 1);

  std::vector<std::chrono::steady_clock::time_point> keyReports;
  for (const virtual_mouse::LoggedReport& r : mouse.FeatureLog())
    if (r.bytes.size() > 1 && r.bytes[1] == 0x15) keyReports.push_back(r.at);
  // The last key report is the release of everything after the last step.
  std::vector<double> errors;
  for (std::size_t i = 1; i < keyReports.size(); ++i)
    errors.push_back(std::chrono::duration<double, std::milli>(keyReports[i] - keyReports[i - 1]).count() - delayMs);
  return errors;
}

}  // namespace zr::timing
