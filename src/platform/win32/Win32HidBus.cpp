#include "platform/win32/Win32HidBus.h"

#include <windows.h>
#include <dbt.h>
#include <setupapi.h>

extern "C" {
#include <hidsdi.h>
}

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/win32/CancellableRead.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WideText.h"

namespace zr {
namespace {

GUID HidInterfaceClass() {
  GUID guid{};
  ::HidD_GetHidGuid(&guid);
  return guid;
}

class Win32InterfaceList final : public HidInterfaceList {
 public:
  Win32InterfaceList(GUID hidClass, HDEVINFO set) : hidClass_(hidClass), set_(set) {}
  ~Win32InterfaceList() override { ::SetupDiDestroyDeviceInfoList(set_); }
  Win32InterfaceList(const Win32InterfaceList&) = delete;
  Win32InterfaceList& operator=(const Win32InterfaceList&) = delete;

  std::optional<std::u16string> PathAt(std::uint32_t index) override {
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    if (!::SetupDiEnumDeviceInterfaces(set_, nullptr, &hidClass_, index, &data)) return std::nullopt;
    DWORD required = 0;
    ::SetupDiGetDeviceInterfaceDetailW(set_, &data, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::nullopt;
    // DWORD-sized elements keep the detail record aligned as the system wants it.
    std::vector<DWORD> storage((required + sizeof(DWORD) - 1) / sizeof(DWORD) + 1);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!::SetupDiGetDeviceInterfaceDetailW(set_, &data, detail, required, nullptr, nullptr)) return std::nullopt;
    const std::size_t maxChars = (required - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) / sizeof(wchar_t);
    const wchar_t* path = detail->DevicePath;
    return FromWide(std::wstring_view(path, std::find(path, path + maxChars, L'\0') - path));
  }

 private:
  GUID hidClass_;
  HDEVINFO set_;
};

class Win32HidDevice final : public HidDevice {
 public:
  explicit Win32HidDevice(HANDLE file) : file_(file) {}

  std::optional<HidAttributes> Attributes() override {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (!::HidD_GetAttributes(file_.get(), &attributes)) return std::nullopt;
    return HidAttributes{attributes.VendorID, attributes.ProductID};
  }

  std::optional<HidCapabilities> Capabilities() override {
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (!::HidD_GetPreparsedData(file_.get(), &preparsed)) return std::nullopt;
    HIDP_CAPS caps{};
    const NTSTATUS status = ::HidP_GetCaps(preparsed, &caps);
    ::HidD_FreePreparsedData(preparsed);
    if (status != HIDP_STATUS_SUCCESS) return std::nullopt;
    return HidCapabilities{caps.UsagePage, caps.Usage, caps.InputReportByteLength, caps.FeatureReportByteLength};
  }

  bool SetFeature(std::span<const std::uint8_t> report) override {
    // The library takes a writable buffer; the caller's stays untouched.
    std::vector<std::uint8_t> copy(report.begin(), report.end());
    return ::HidD_SetFeature(file_.get(), copy.data(), static_cast<ULONG>(copy.size())) != FALSE;
  }

  InputRead Read(std::span<std::uint8_t> buffer) override { return read_.Read(file_.get(), buffer); }
  void CancelRead() override { read_.Cancel(); }

 private:
  UniqueFileHandle file_;
  CancellableRead read_;
};

}  // namespace

std::unique_ptr<HidInterfaceList> Win32HidBus::PresentInterfaces() {
  const GUID hidClass = HidInterfaceClass();
  HDEVINFO set = ::SetupDiGetClassDevsW(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32InterfaceList>(hidClass, set);
}

std::unique_ptr<HidDevice> Win32HidBus::Open(std::u16string_view path, HidAccess access) {
  const std::wstring name = Wide(path);
  const DWORD rights = access == HidAccess::Read ? GENERIC_READ : access == HidAccess::Write ? GENERIC_WRITE : 0;
  // Reads are overlapped so that the reader thread can be stopped; feature
  // reports and queries stay synchronous.
  const DWORD flags = access == HidAccess::Read ? FILE_FLAG_OVERLAPPED : 0;
  HANDLE file = ::CreateFileW(name.c_str(), rights, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags,
                              nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32HidDevice>(file);
}

bool Win32HidBus::RegisterForNotifications(NativeWindow window) {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  static_assert(sizeof(filter) == 32, "the filter the system expects");
  filter.dbcc_size = sizeof(filter);
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = HidInterfaceClass();
  // Never unregistered: the registration lasts as long as the window.
  return ::RegisterDeviceNotificationW(static_cast<HANDLE>(window), &filter, DEVICE_NOTIFY_WINDOW_HANDLE) != nullptr;
}

}  // namespace zr
