// Times a foreground change to the first report of the download it causes:
// the real main window on a copy of the shipped data and a virtual mouse,
// Wine's notepad bound to configuration 3, and a second program (this
// harness started again with a window of its own) not bound, brought to the
// front in turn. The settle time that coalesces changes is part of the
// figure; the rest is the event's way in, the load and the download.
// Usage: zr_timing_ForegroundSwitchTiming [switches]
#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/KvxGMouseDlg_win.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "virtual_mouse/VirtualMouse.h"
#include "wine/UtilityProcess.h"
#include "wine/WinePaths.h"

namespace {

constexpr char kWindowOnly[] = "--window";
constexpr wchar_t kWindowOnlyArgument[] = L" --window";

// The second program: an edit control that takes the focus when its window
// comes to the front, as a game's window takes the keyboard.
int RunEditWindow() {
  HWND window = ::CreateWindowExW(0, L"EDIT", L"unbound program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 300, 200,
                                  nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return 1;
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}

struct Child {
  zr::UniqueKernelHandle process;
  HWND window = nullptr;
};

HWND VisibleWindowOf(DWORD process) {
  struct Search {
    DWORD process;
    HWND found;
  } search{process, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner != s.process || !::IsWindowVisible(window)) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

Child Start(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  Child child;
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return child;
  ::CloseHandle(info.hThread);
  child.process.reset(info.hProcess);
  zr::test::WaitUntil(10000, [&] { return (child.window = VisibleWindowOf(info.dwProcessId)) != nullptr; });
  return child;
}

void End(Child& child) {
  if (!child.process) return;
  ::TerminateProcess(child.process.get(), 0);
  ::WaitForSingleObject(child.process.get(), 10000);
}

void Pump() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

// Runs the window's messages as they arrive (the events and the timer come
// as messages) until `done` or the time is up.
template <typename Done>
bool PumpUntil(DWORD timeoutMs, Done done) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  for (;;) {
    Pump();
    if (done()) return true;
    const ULONGLONG now = ::GetTickCount64();
    if (now >= end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  if (values.empty()) return 0;
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * static_cast<double>(values.size())))];
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zr;
  if (argc > 1 && std::strcmp(argv[1], kWindowOnly) == 0) return RunEditWindow();
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
  ::WritePrivateProfileStringW(L"AppProfiles", L"Count", L"1", configFile.c_str());
  ::WritePrivateProfileStringW(L"AppProfiles", L"App0", L"notepad.exe|3", configFile.c_str());

  std::vector<double> times;
  int missed = 0;
  {
    AppState state;
    state.paths.applicationDirectory = FromWide(folder.wstring());
    Win32ProfileFiles files;
    virtual_mouse::VirtualMouse mouse;
    CKVX_GMouseDlg dialog(::GetModuleHandleW(nullptr), state, files, mouse, u"ForegroundSwitchTiming");
    if (!dialog.Create()) return 1;
    std::array<wchar_t, MAX_PATH> self{};
    ::GetModuleFileNameW(nullptr, self.data(), MAX_PATH);
    Child notepad = Start(L"notepad.exe");
    Child other = Start(L"\"" + std::wstring(self.data()) + L"\"" + kWindowOnlyArgument);
    if (notepad.window == nullptr || other.window == nullptr) {
      std::fprintf(stderr, "the two programs did not open their windows\n");
      End(notepad);
      End(other);
      return 1;
    }
    // Let the switches of the programs' own start settle.
    PumpUntil(1000, [] { return false; });
    for (int k = 0; k < switches; ++k) {
      HWND target = k % 2 == 0 ? notepad.window : other.window;
      mouse.ClearLog();
      const auto changed = std::chrono::steady_clock::now();
      ::SetForegroundWindow(target);
      const bool downloaded = PumpUntil(3000, [&] { return !mouse.FeatureLog().empty(); });
      if (!downloaded) {
        ++missed;
        continue;
      }
      const auto first = mouse.FeatureLog().front().at;
      times.push_back(std::chrono::duration<double, std::milli>(first - changed).count());
      // The rest of the download lands before the next change.
      PumpUntil(300, [] { return false; });
    }
    End(notepad);
    End(other);
    dialog.Exit();
    Pump();
  }
  std::filesystem::remove_all(folder);
  std::printf("foreground change -> first report of the download: p50 %.1f ms, p99 %.1f ms, max %.1f ms "
              "over %zu switches (%d without a download); the settle time is %lld ms\n",
              Percentile(times, 0.5), Percentile(times, 0.99), Percentile(times, 1.0), times.size(), missed,
              static_cast<long long>(kForegroundSettleTime.count()));
  return missed == 0 ? 0 : 1;
}
