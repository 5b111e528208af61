// Times a press of the mouse's DPI button to the on-screen indicator on the
// screen: the virtual mouse queues the press report, the reader and the
// worker hand it on, the worker posts its news, and the interface thread
// renders the indicator and puts it up with UpdateLayeredWindow. The real
// main window runs, hidden as a person keeps it during a game, on a copy of
// the shipped data.
// Usage: zr_timing_IndicatorTiming [presses]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/KvxGMouseDlg_win.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "virtual_mouse/VirtualMouse.h"
#include "MedianTime.h"
#include "wine/MessagePump.h"
#include "wine/WinePaths.h"

namespace {

constexpr std::uint8_t kDpiButtonCode = 6;

double Ms(const LARGE_INTEGER& counter) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double Percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(fraction * double(values.size() - 1) + 0.5);
  return values[std::min(index, values.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zr;
  const int presses = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::filesystem::path folder = std::filesystem::path(temp) / L"zr_indicator_timing";
  std::filesystem::remove_all(folder);
  std::filesystem::copy(std::filesystem::path(test::SourceFolder() + L"\\data"), folder,
                        std::filesystem::copy_options::recursive);

  AppState state;
  state.paths.applicationDirectory = FromWide(folder.wstring());
  Win32ProfileFiles files;
  virtual_mouse::VirtualMouse mouse;
  CKVX_GMouseDlg dialog(::GetModuleHandleW(nullptr), state, files, mouse, u"IndicatorTiming");
  if (!dialog.Create() || dialog.Outcome() != StartupOutcome::Running) {
    std::fprintf(stderr, "the main window did not start\n");
    return 1;
  }
  dialog.HideToTray();
  zr::test::PumpMessages();

  // One press: from just before the mouse queues its report to the
  // indicator's picture on the screen; -1 when it never came.
  auto press = [&]() -> double {
    const LARGE_INTEGER before = dialog.Indicator().LastShownAt();
    const double start = timing::NowMs();
    mouse.Press(kDpiButtonCode);
    mouse.Release(kDpiButtonCode);
    const double giveUp = start + 2000;
    while (dialog.Indicator().LastShownAt().QuadPart == before.QuadPart) {
      if (timing::NowMs() > giveUp) return -1;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      zr::test::PumpMessages();
    }
    return Ms(dialog.Indicator().LastShownAt()) - start;
  };
  auto report = [](const char* what, const std::vector<double>& times, int missed) {
    std::printf("%-40s p50 %6.2f ms  p99 %6.2f ms  max %6.2f ms  (%zu presses%s)\n", what, Percentile(times, 0.5),
                Percentile(times, 0.99), Percentile(times, 1.0), times.size(), missed ? ", some never shown" : "");
  };

  // While it is up: the press updates it in place.
  std::vector<double> inPlace;
  int missed = 0;
  for (int k = 0; k < presses; ++k) {
    const double t = press();
    if (t < 0) ++missed; else inPlace.push_back(t);
    const double until = timing::NowMs() + 150;  // the person's next press
    while (timing::NowMs() < until) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      zr::test::PumpMessages();
    }
  }
  report("press -> indicator updated in place", inPlace, missed);

  // From hidden: the window comes up again each time.
  std::vector<double> fromHidden;
  missed = 0;
  const int cold = std::max(1, presses / 10);
  for (int k = 0; k < cold; ++k) {
    while (dialog.Indicator().Shown()) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      zr::test::PumpMessages();
    }
    const double t = press();
    if (t < 0) ++missed; else fromHidden.push_back(t);
  }
  report("press -> indicator shown from hidden", fromHidden, missed);

  // The interface thread's own share: rendering the picture and putting it up.
  {
    IndicatorWindow alone(::GetModuleHandleW(nullptr));
    const auto content = DpiLevelIndicator(state.config, 1, 1);
    std::vector<double> shows;
    for (int k = 0; k < presses; ++k) {
      const double start = timing::NowMs();
      alone.Show(*content, 1);
      shows.push_back(timing::NowMs() - start);
      zr::test::PumpMessages();
    }
    report("of which render and put up (Show alone)", shows, 0);
    std::vector<double> shapes;
    for (int k = 0; k < presses; ++k) {
      const double start = timing::NowMs();
      const IndicatorPixels pixels = RenderIndicatorShapes(LayOutIndicator(*content));
      shapes.push_back(timing::NowMs() - start);
      if (pixels.alpha.empty()) return 1;
    }
    report("of which the shapes in pixels (core)", shapes, 0);
  }

  dialog.Exit();
  zr::test::PumpMessages();
  std::filesystem::remove_all(folder);
  return 0;
}
