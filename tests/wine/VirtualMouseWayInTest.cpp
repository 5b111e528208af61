// The virtual build's ways in, on the real window system: notices raised on
// another thread reach the device link as WM_DEVICECHANGE on the window's
// thread only, and the control pipe answers the real virtual-mouse.exe.
#include <windows.h>
#include <dbt.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "device/DeviceLink.h"
#include "platform/win32/DeviceBroadcast.h"
#include "platform/win32/Handles.h"
#include "virtual_mouse/Control.h"
#include "virtual_mouse/VirtualMouse.h"
#include "virtual_mouse/program/ControlPipeServer.h"
#include "virtual_mouse/program/WindowNoticeSender.h"

namespace zr::test {
namespace {

using virtual_mouse::VirtualMouse;

// --- notices as window messages ---

struct NoticeWindow {
  DeviceLink* link = nullptr;
  int handled = 0;
  DWORD handledOn = 0;
};

// Exactly what the main window's WM_DEVICECHANGE handler does.
LRESULT CALLBACK NoticeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DEVICECHANGE) {
    auto* state = reinterpret_cast<NoticeWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    auto notice = DecodeDeviceBroadcast(lParam);
    state->link->DeviceChange(static_cast<std::uint32_t>(wParam), notice ? &*notice : nullptr);
    ++state->handled;
    state->handledOn = ::GetCurrentThreadId();
    return TRUE;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// Handles messages until `done` or about five seconds have passed.
template <typename Done>
bool PumpUntil(Done done) {
  for (int round = 0; round < 500 && !done(); ++round) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    if (!done()) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}

TEST(VirtualMouseWindowNotices, ReachTheLinkOnTheWindowsThreadOnly) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = NoticeProcedure;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"ZrNoticeTestWindow";
  ::RegisterClassW(&windowClass);

  VirtualMouse mouse;
  DeviceLink link(mouse);
  int exits = 0;
  NoticeWindow state{&link};
  virtual_mouse::WindowNoticeSender sender;  // outlives the window, which must go first
  UniqueWindow window(::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        windowClass.hInstance, nullptr));
  ASSERT_TRUE(window);
  ::SetWindowLongPtrW(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  mouse.SetNoticeOutlet(sender.Outlet());
  link.AttachWindow(window.get(), [&] { ++exits; });
  ASSERT_TRUE(link.OpenDevice());
  ASSERT_EQ(mouse.Registrations(), 1);

  // The unplugging thread returns although this thread has not looked at its messages.
  std::thread([&] { mouse.Unplug(); }).join();
  EXPECT_TRUE(link.DevicePresent());
  EXPECT_EQ(exits, 0);
  ASSERT_TRUE(PumpUntil([&] { return state.handled == 3; }));
  EXPECT_EQ(state.handledOn, ::GetCurrentThreadId());
  EXPECT_FALSE(link.DevicePresent());
  EXPECT_EQ(exits, 1);

  std::thread([&] { mouse.Plug(); }).join();
  EXPECT_FALSE(link.DevicePresent());
  ASSERT_TRUE(PumpUntil([&] { return state.handled == 6; }));
  EXPECT_TRUE(link.DevicePresent());
  EXPECT_EQ(link.InputHandle(), HandleState::Open);
  EXPECT_EQ(exits, 1);
}

TEST(VirtualMouseWindowNotices, BroadcastsDecodeToTheNoticeTheyWereBuiltFrom) {
  const GUID hidClass = {0x4d1e55b2, 0xf16f, 0x11cf, {0x88, 0xcb, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
  for (const DeviceNotice& notice : {DeviceNotice{DBT_DEVTYP_DEVICEINTERFACE, u"\\\\?\\HID#VID_18F8&PID_1286#X"},
                                     DeviceNotice{DBT_DEVTYP_DEVICEINTERFACE, u""}, DeviceNotice{DBT_DEVTYP_HANDLE, u""}}) {
    const std::vector<std::byte> bytes = EncodeDeviceBroadcast(notice, hidClass);
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(bytes.data());
    EXPECT_LE(header->dbch_size, bytes.size());
    const std::optional<DeviceNotice> decoded = DecodeDeviceBroadcast(reinterpret_cast<LPARAM>(bytes.data()));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->deviceType, notice.deviceType);
    EXPECT_EQ(decoded->name, notice.name);
  }
}

// --- the control pipe and its client ---

struct ClientRun {
  DWORD exitCode = 0;
  std::string out;
  std::string err;
};

std::wstring ClientPath() {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self, length);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + L"dist_virtual\\virtual-mouse.exe";
}

std::string Drain(HANDLE pipe) {
  std::string text;
  char buffer[512];
  DWORD available = 0;
  while (::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
    DWORD got = 0;
    if (!::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) || got == 0) break;
    text.append(buffer, got);
  }
  return text;
}

// Runs the client with `arguments`; the test fails rather than waits past 30 s.
ClientRun RunClient(const std::wstring& arguments) {
  ClientRun run;
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE outRead, outWrite, errRead, errWrite;
  EXPECT_TRUE(::CreatePipe(&outRead, &outWrite, &inherit, 1 << 16));
  EXPECT_TRUE(::CreatePipe(&errRead, &errWrite, &inherit, 1 << 16));
  UniqueKernelHandle outReader(outRead), outWriter(outWrite), errReader(errRead), errWriter(errWrite);
  ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + ClientPath() + L"\" " + arguments;
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process)) {
    ADD_FAILURE() << "the client did not start: " << ::GetLastError();
    run.exitCode = 99;
    return run;
  }
  UniqueKernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
  outWriter.reset();
  errWriter.reset();
  if (::WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the client did not end";
    ::TerminateProcess(process.hProcess, 98);
    ::WaitForSingleObject(process.hProcess, 5000);
  }
  ::GetExitCodeProcess(process.hProcess, &run.exitCode);
  run.out = Drain(outRead);
  run.err = Drain(errRead);
  return run;
}

class ControlPipe : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.Serving());
    ::SetEnvironmentVariableW(L"ZR305_VIRTUAL_MOUSE_PIPE", kPipe);  // the client inherits it
  }
  void TearDown() override { ::SetEnvironmentVariableW(L"ZR305_VIRTUAL_MOUSE_PIPE", nullptr); }

  static constexpr const wchar_t* kPipe = L"\\\\.\\pipe\\zr305-virtual-mouse-wine-test";
  VirtualMouse mouse;
  virtual_mouse::ControlPipeServer server{mouse, u"\\\\.\\pipe\\zr305-virtual-mouse-wine-test"};
};

TEST_F(ControlPipe, APressSendsTheFirmwaresReportAndStateShowsWhatTheMouseHolds) {
  auto feature = mouse.Open(VirtualMouse::VendorFeatureCollection().path, HidAccess::Write);
  auto input = mouse.Open(VirtualMouse::VendorInputCollection().path, HidAccess::Read);
  ASSERT_TRUE(feature && input);
  const std::uint8_t hostButton[] = {0x07, 0x10, 0x03, 0x00, 0, 0, 0, 0};  // button code 3 (slot 1) to the host
  ASSERT_TRUE(feature->SetFeature(hostButton));

  const ClientRun press = RunClient(L"press right");
  EXPECT_EQ(press.exitCode, 0u) << press.err;
  EXPECT_EQ(press.out, "input 06 F3 00 00 00 00 00 00\n");
  std::uint8_t report[8] = {};
  const InputRead read = input->Read(report);  // the report really left the mouse
  ASSERT_TRUE(read.HasReport());
  ASSERT_EQ(read.length, 8u);
  EXPECT_EQ(report[1], 0xF3);
  EXPECT_EQ(report[2], 0x00);

  const ClientRun state = RunClient(L"state");
  EXPECT_EQ(state.exitCode, 0u) << state.err;
  EXPECT_EQ(state.out.rfind("plugged=1\n", 0), 0u) << state.out;
  EXPECT_NE(state.out.find("\nbutton_function_3=0\n"), std::string::npos) << state.out;
  EXPECT_EQ(state.out, virtual_mouse::StateLines(mouse.State(), true));
  EXPECT_TRUE(state.err.empty());
}

TEST_F(ControlPipe, RefusalsEndWithExitCodeOneAndAMessage) {
  for (const wchar_t* arguments : {L"", L"press 6", L"press", L"state now", L"wiggle"}) {
    const ClientRun run = RunClient(arguments);
    EXPECT_EQ(run.exitCode, 1u) << arguments;
    EXPECT_FALSE(run.err.empty()) << arguments;
    EXPECT_TRUE(run.out.empty()) << arguments;
  }

  EXPECT_EQ(RunClient(L"unplug").exitCode, 0u);
  EXPECT_FALSE(mouse.Plugged());
  const ClientRun unplugged = RunClient(L"click left");
  EXPECT_EQ(unplugged.exitCode, 1u);
  EXPECT_NE(unplugged.err.find("unplugged"), std::string::npos) << unplugged.err;
  EXPECT_EQ(RunClient(L"plug").exitCode, 0u);
  EXPECT_TRUE(mouse.Plugged());
}

TEST_F(ControlPipe, OnlyOneServerPerNameAndNoServerIsAFailure) {
  virtual_mouse::ControlPipeServer second(mouse, u"\\\\.\\pipe\\zr305-virtual-mouse-wine-test");
  EXPECT_FALSE(second.Serving());  // a second utility does not answer for the first

  ::SetEnvironmentVariableW(L"ZR305_VIRTUAL_MOUSE_PIPE", L"\\\\.\\pipe\\zr305-nobody-serves-this");
  const ClientRun run = RunClient(L"state");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_NE(run.err.find("not running"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace zr::test
