// The two switches, on the built utility: "/tray" (the logon start) runs the
// whole start-up but never shows the window; "/exit" (the installer) ends a
// running instance through its exit procedure and says whether one ran.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"
#include "wine/UtilityProcess.h"
#include "wine/WinePaths.h"

namespace zr::test {
namespace {

Started StartWith(const std::wstring& dist, const wchar_t* arguments) {
  std::wstring commandLine = L"\"" + dist + L"\\" + kExecutableName + L".exe\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  Started started;
  started.ok = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dist.c_str(),
                                &startup, &info) != FALSE;
  if (started.ok) {
    ::CloseHandle(info.hThread);
    started.process.reset(info.hProcess);
    started.processId = info.dwProcessId;
  }
  return started;
}

DWORD RunToEnd(const std::wstring& dist, const wchar_t* arguments) {
  Started run = StartWith(dist, arguments);
  if (!run.ok || ::WaitForSingleObject(run.process.get(), 30000) != WAIT_OBJECT_0) {
    EndUtility(run);
    return 0xFFFFFFFF;
  }
  DWORD code = 0xFFFFFFFF;
  ::GetExitCodeProcess(run.process.get(), &code);
  return code;
}

TEST(StartSwitches, TrayStartStaysHiddenAndExitEndsItThroughItsExitProcedure) {
  const std::wstring dist = VirtualDistFolder();
  if (dist.empty()) GTEST_SKIP() << "ZR_DIST_DIR names no shippable folder";
  ASSERT_EQ(::FindWindowW(nullptr, kUtilityTitle), nullptr) << "an instance is already running";

  EXPECT_EQ(RunToEnd(dist, L"/exit"), 0u) << "nothing runs: '/exit' has nothing to end";
  EXPECT_EQ(::FindWindowW(nullptr, kUtilityTitle), nullptr) << "'/exit' must never start the utility";

  Started tray = StartWith(dist, L"/tray");
  ASSERT_TRUE(tray.ok);
  HWND window = WaitForWindow(nullptr, kUtilityTitle, 20000);
  ASSERT_NE(window, nullptr) << "the tray start made no main window";
  // Long enough for the start-up to finish and a shown window to appear.
  bool everVisible = false;
  WaitUntil(3000, [&] {
    everVisible = everVisible || ::IsWindowVisible(window) != FALSE;
    return everVisible;
  });
  EXPECT_FALSE(everVisible) << "the tray start showed its window";
  EXPECT_EQ(::WaitForSingleObject(tray.process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "it ended by itself";

  EXPECT_EQ(RunToEnd(dist, L"/exit"), 2u) << "a running instance: '/exit' reports it ended";
  EXPECT_EQ(::WaitForSingleObject(tray.process.get(), 0), WAIT_OBJECT_0) << "still running after '/exit'";
  EndUtility(tray);
}

}  // namespace
}  // namespace zr::test
