// The system's HID, device broadcasts and pointer settings as Wine offers
// them: no mouse of ours is there, but the walk must survive whatever is.
#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <thread>
#include <vector>

#include "device/DeviceLink.h"
#include "platform/win32/CancellableRead.h"
#include "platform/win32/DeviceBroadcast.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32HidBus.h"
#include "platform/win32/Win32SystemSettings.h"

namespace zr::test {
namespace {

TEST(Win32Hid, WalksWhatTheSystemListsWithoutFindingTheMouse) {
  Win32HidBus bus;
  int listed = 0;
  if (auto list = bus.PresentInterfaces()) {
    for (std::uint32_t index = 0; index < kMaxInterfaceIndices; ++index) {
      const auto path = list->PathAt(index);
      if (!path) continue;
      ++listed;
      EXPECT_FALSE(path->empty());
      if (auto device = bus.Open(*path, HidAccess::QueryOnly)) {
        EXPECT_TRUE(device->Attributes());
        device->Capabilities();
      }
    }
  }
  RecordProperty("hid_interfaces", listed);

  DeviceLink link(bus);
  EXPECT_FALSE(link.OpenDevice());
  EXPECT_FALSE(link.DevicePresent());
  EXPECT_EQ(link.InputHandle(), HandleState::Null);
  EXPECT_EQ(link.FeatureHandle(), HandleState::Null);
  std::array<std::uint8_t, kReportBufferSize> buffer{};
  EXPECT_FALSE(link.ReadInputReport(buffer));
}

TEST(Win32Hid, AReadOnAHidInterfaceCanBeCancelled) {
  Win32HidBus bus;
  std::unique_ptr<HidDevice> device;
  if (auto list = bus.PresentInterfaces())
    for (std::uint32_t index = 0; index < kMaxInterfaceIndices && !device; ++index)
      if (const auto path = list->PathAt(index)) device = bus.Open(*path, HidAccess::Read);
  if (!device) GTEST_SKIP() << "the system lists no HID interface that opens for reading";

  // Nobody touches the input devices here, so the read waits until cancelled.
  std::array<std::uint8_t, kReportBufferSize> buffer{};
  std::optional<std::size_t> result = 99;
  std::thread reader([&] { result = device->ReadInput(buffer); });
  ::Sleep(50);
  device->CancelRead();
  reader.join();
  EXPECT_FALSE(result);
}

TEST(Win32Hid, APathThatIsNotThereDoesNotOpen) {
  Win32HidBus bus;
  EXPECT_EQ(bus.Open(u"\\\\?\\hid#vid_18f8&pid_1286#0#{4d1e55b2-f16f-11cf-88cb-001111000030}", HidAccess::Write),
            nullptr);
}

TEST(Win32Hid, RegistersAWindowForInterfaceNotices) {
  UniqueWindow window(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  Win32HidBus bus;
  EXPECT_TRUE(bus.RegisterForNotifications(window.get()));
  EXPECT_FALSE(bus.RegisterForNotifications(nullptr));
}

// A broadcast as the system builds one: the header, then the name.
std::vector<std::byte> InterfaceBroadcast(const wchar_t* name, std::size_t extraChars = 0) {
  const std::size_t chars = std::wcslen(name);
  const std::size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (chars + 1) * sizeof(wchar_t);
  std::vector<std::byte> bytes(size + extraChars * sizeof(wchar_t));
  auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
  broadcast->dbcc_size = static_cast<DWORD>(size);
  broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  std::memcpy(broadcast->dbcc_name, name, (chars + 1) * sizeof(wchar_t));
  return bytes;
}

TEST(Win32Hid, DeviceBroadcastsDecodeToNotices) {
  std::vector<std::byte> bytes = InterfaceBroadcast(L"\\\\?\\HID#VID_18F8&PID_1286&MI_01");
  auto notice = DecodeDeviceBroadcast(reinterpret_cast<LPARAM>(bytes.data()));
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->deviceType, kDeviceInterfaceNotice);
  EXPECT_EQ(notice->name, u"\\\\?\\HID#VID_18F8&PID_1286&MI_01");

  // A name without its terminator ends where the sender's size says.
  bytes = InterfaceBroadcast(L"ABCD", 4);
  auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
  broadcast->dbcc_size -= 3 * sizeof(wchar_t);
  for (int i = 2; i < 9; ++i) broadcast->dbcc_name[i] = L'X';
  EXPECT_EQ(DecodeDeviceBroadcast(reinterpret_cast<LPARAM>(bytes.data()))->name, u"AB");

  DEV_BROADCAST_HDR volume{};
  volume.dbch_size = sizeof(volume);
  volume.dbch_devicetype = DBT_DEVTYP_VOLUME;
  notice = DecodeDeviceBroadcast(reinterpret_cast<LPARAM>(&volume));
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->deviceType, static_cast<std::uint32_t>(DBT_DEVTYP_VOLUME));
  EXPECT_TRUE(notice->name.empty());
  EXPECT_FALSE(DecodeDeviceBroadcast(0));
}

// Both ends of a pipe, the reading end overlapped as the HID read handle is.
struct Pipe {
  Pipe() {
    static int serial = 0;
    const std::wstring name =
        L"\\\\.\\pipe\\zr-read-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(serial++);
    reader.reset(::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                                    PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, 0, 512, 0, nullptr));
    writer.reset(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  }
  void Write(const std::vector<std::uint8_t>& bytes) const {
    DWORD written = 0;
    ::WriteFile(writer.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  UniqueFileHandle reader;
  UniqueFileHandle writer;
};

TEST(Win32Hid, AnOverlappedReadReturnsDataAndCanBeCancelled) {
  Pipe pipe;
  ASSERT_TRUE(pipe.reader && pipe.writer);
  CancellableRead read;
  std::array<std::uint8_t, 16> buffer{};

  pipe.Write({6, 0xF1, 0x00});
  EXPECT_EQ(read.Read(pipe.reader.get(), buffer), 3u);
  EXPECT_EQ(buffer[1], 0xF1);

  std::optional<std::size_t> blocked = 99;
  std::thread reader([&] { blocked = read.Read(pipe.reader.get(), buffer); });
  ::Sleep(50);
  read.Cancel();
  reader.join();
  EXPECT_FALSE(blocked);

  read.Cancel();  // no read in progress: the next one ends at once
  EXPECT_FALSE(read.Read(pipe.reader.get(), buffer));
  pipe.Write({6, 0xF2, 0x80});
  EXPECT_EQ(read.Read(pipe.reader.get(), buffer), 3u);  // and only that one
  EXPECT_EQ(buffer[2], 0x80);
}

TEST(Win32Hid, PointerSpeedAndWheelLinesGoToTheSystem) {
  Win32SystemSettings settings;
  const auto speed = settings.MouseSpeed();
  const auto lines = settings.WheelScrollLines();
  ASSERT_TRUE(speed && lines);
  const std::int32_t newSpeed = *speed == 8 ? 12 : 8;
  EXPECT_TRUE(settings.SetMouseSpeed(newSpeed));
  EXPECT_EQ(settings.MouseSpeed(), newSpeed);
  EXPECT_TRUE(settings.SetWheelScrollLines(*lines == 3 ? 5 : 3));
  EXPECT_EQ(settings.WheelScrollLines(), *lines == 3 ? 5u : 3u);
  settings.SetMouseSpeed(*speed);
  settings.SetWheelScrollLines(*lines);
}

}  // namespace
}  // namespace zr::test
