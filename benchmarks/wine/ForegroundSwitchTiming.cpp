// Times a foreground change to the first report of the download it causes:
// the real main window on a copy of the shipped data and a virtual mouse,
// Wine's notepad bound to configuration 3 and Wine's registry editor not
// bound, started in turn. Wine 8 reports another program's focus only when
// its window first comes to the front, so each switch is a fresh window; the
// change is timed from the event's own time stamp. The settle time that coalesces changes is part of
// the figure; the rest is the event's way in, the load and the download.
// Usage: zr_timing_ForegroundSwitchTiming [switches]
#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ForegroundWatch_win.h"
#include "app/KvxGMouseDlg_win.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "virtual_mouse/VirtualMouse.h"
#include "wine/ForegroundPrograms.h"
#include "wine/WinePaths.h"

namespace {

// The time stamp of the first focus event of another program.
DWORD focusStamp = 0;
void CALLBACK RecordFocus(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD eventTime) {
  if (focusStamp == 0) focusStamp = eventTime;
}

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  if (values.empty()) return 0;
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * static_cast<double>(values.size())))];
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zr;
  const int switches = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;

  // A copy of the shipped data the window may write into.
  std::array<wchar_t, MAX_PATH> temp{};
  ::GetTempPathW(MAX_PATH, temp.data());
  const std::filesystem::path folder =
      std::filesystem::path(temp.data()) / (L"zr_foreground_timing_" + std::to_wstring(::GetCurrentProcessId()));
  std::filesystem::remove_all(folder);
  std::filesystem::copy(std::filesystem::path(test::FromUnixPath(ZR_STARTUP_TIMING_DATA)), folder,
                        std::filesystem::copy_options::recursive);
  const std::wstring configFile = (folder / L"config.ini").wstring();
  test::BindOneProgram(configFile, L"notepad.exe", 3);

  std::vector<double> times;
  int missed = 0;
  {
    AppState state;
    state.paths.applicationDirectory = FromWide(folder.wstring());
    Win32ProfileFiles files;
    virtual_mouse::VirtualMouse mouse;
    CKVX_GMouseDlg dialog(::GetModuleHandleW(nullptr), state, files, mouse, u"ForegroundSwitchTiming");
    if (!dialog.Create()) return 1;
    ::ShowWindow(dialog.Window(), SW_SHOW);
    test::PumpUntil(1000, [] { return false; });
    // The tick count and the report clock, read together, to carry the
    // event's stamp over to the mouse's.
    const auto steadyBase = std::chrono::steady_clock::now();
    const DWORD tickBase = ::GetTickCount();
    UniqueWinEventHook stamps(::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, RecordFocus, 0, 0,
                                                WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    for (int k = 0; k < switches; ++k) {
      mouse.ClearLog();
      focusStamp = 0;
      test::ShownProgram program(k % 2 == 0 ? L"notepad.exe" : L"regedit.exe");
      const bool downloaded = test::PumpUntil(5000, [&] { return !mouse.FeatureLog().empty(); });
      if (!downloaded || focusStamp == 0) {
        ++missed;
      } else {
        const auto changed = steadyBase + std::chrono::milliseconds(static_cast<std::int32_t>(focusStamp - tickBase));
        times.push_back(std::chrono::duration<double, std::milli>(mouse.FeatureLog().front().at - changed).count());
      }
      test::PumpUntil(300, [] { return false; });
    }
    stamps.reset();
    dialog.Exit();
    test::PumpMessages();
  }
  std::filesystem::remove_all(folder);
  std::printf("foreground change -> first report of the download: p50 %.1f ms, p99 %.1f ms, max %.1f ms "
              "over %zu switches (%d whose focus event Wine did not deliver); the settle time is %lld ms\n",
              Percentile(times, 0.5), Percentile(times, 0.99), Percentile(times, 1.0), times.size(), missed,
              static_cast<long long>(kForegroundSettleTime.count()));
  return times.empty() ? 1 : 0;
}
