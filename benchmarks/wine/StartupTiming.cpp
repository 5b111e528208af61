// Times the main window's start-up on the window system, from the first line
// of its initialisation to the tray icon (with the virtual mouse plugged in)
// or to the no-mouse message (unplugged), and the window shape within it.
// Each run creates the real main window on a copy of the shipped data, with
// its start-up steps wrapped in the harness's timed ones, and ends it through
// the exit procedure. The mask's decoding (GDI+ starting with it) and its
// regions are then timed again on their own, as the shape step does them.
// Usage: zr_timing_StartupTiming [runs]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "app/KvxGMouseDlg_win.h"
#include "platform/win32/GdiplusImages.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "virtual_mouse/VirtualMouse.h"
#include "skin/MaskShape.h"
#include "wine/WinePaths.h"
#include "MedianTime.h"
#include "TimedStartupSteps.h"

namespace {

constexpr wchar_t kCaption[] = L"StartupTiming";

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Closes the no-mouse message as soon as it shows; its time is not counted.
class MessageDismisser {
 public:
  MessageDismisser()
      : thread_([this] {
          while (!done_) {
            if (HWND box = ::FindWindowW(L"#32770", kCaption)) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            ::Sleep(10);
          }
        }) {}
  ~MessageDismisser() {
    done_ = true;
    thread_.join();
  }

 private:
  std::atomic<bool> done_{false};
  std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
  using namespace zr;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const std::u16string folder = FromWide(test::FromUnixPath(ZR_STARTUP_TIMING_DATA));
  MessageDismisser dismisser;
  for (const bool withMouse : {true, false}) {
    std::vector<double> total, shape, decode, region;
    std::vector<std::vector<double>> stepTimes;
    std::vector<const char*> stepNames;
    for (int k = 0; k < runs; ++k) {
      AppState state;
      state.paths.applicationDirectory = folder;
      Win32ProfileFiles files;
      virtual_mouse::VirtualMouse mouse;
      if (!withMouse) mouse.Unplug();
      timing::TimedStartupSteps timed;
      StartupOutcome outcome = StartupOutcome::Running;
      {
        CKVX_GMouseDlg dialog(::GetModuleHandleW(nullptr), state, files, mouse, FromWide(kCaption));
        dialog.WrapStartupSteps([&](StartupSteps& windowSteps) -> StartupSteps& { return timed.Wrap(windowSteps); });
        dialog.Create();
        outcome = dialog.Outcome();
        dialog.Exit();
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
      }
      const timing::StartupTimes& times = timed.Times();
      const bool expected = (outcome == StartupOutcome::Running) == withMouse;
      if (!expected) {
        std::fprintf(stderr, "run %d %s the mouse ended unexpectedly\n", k, withMouse ? "with" : "without");
        return 1;
      }
      total.push_back(times.totalMs);
      shape.push_back(times.windowShapeMs);
      {
        GdiplusImageDecoder decoder;  // the window's has gone with it: GDI+ starts again here
        const double start = timing::NowMs();
        const auto mask = decoder.Decode(state.paths.MaskImage());
        decode.push_back(timing::NowMs() - start);
        const double regionStart = timing::NowMs();
        BuildMainWindowRegions(mask ? &*mask : nullptr, 1000, 600, state.skin.controls);
        region.push_back(timing::NowMs() - regionStart);
      }
      // Without the mouse the time ends where the message shows.
      std::size_t counted = 0;
      while (counted < times.marks.size() && times.marks[counted].atMs < times.totalMs) ++counted;
      stepTimes.resize(counted);
      stepNames.resize(counted);
      for (std::size_t i = 0; i < counted; ++i) {
        const double end = i + 1 < counted ? times.marks[i + 1].atMs : times.totalMs;
        stepNames[i] = times.marks[i].step;
        stepTimes[i].push_back(end - times.marks[i].atMs);
      }
    }
    std::printf("start-up %s mouse: median %.2f ms (window shape %.2f ms; on their own: mask decode %.2f ms, "
                "mask region %.2f ms) over %d runs\n",
                withMouse ? "with   " : "without", Median(total), Median(shape), Median(decode), Median(region), runs);
    for (std::size_t i = 0; i < stepNames.size(); ++i)
      std::printf("  %-12s %8.2f ms\n", stepNames[i], Median(stepTimes[i]));
  }
  return 0;
}
