// What the device link asks of the system's HID stack: present interfaces by
// index, opening them, their identifiers and capabilities, feature reports,
// input reports, and notice of interfaces coming and going. The real build
// talks to the system's HID; the virtual mouse offers the same operations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zr {

struct HidAttributes {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
};

// A collection's top-level usage and report lengths (report id byte included).
struct HidCapabilities {
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  std::uint16_t inputReportLength = 0;
  std::uint16_t featureReportLength = 0;
};

// Every open shares read and write access with other openers.
enum class HidAccess : std::uint8_t {
  QueryOnly,  // attributes and capabilities, no data
  Read,       // input reports
  Write,      // feature reports
};

// One opened interface; closed when the object goes.
class HidDevice {
 public:
  virtual ~HidDevice() = default;

  virtual std::optional<HidAttributes> Attributes() = 0;
  virtual std::optional<HidCapabilities> Capabilities() = 0;
  // False when the report did not reach the device.
  virtual bool SetFeature(std::span<const std::uint8_t> report) = 0;
  // Waits until the device sends an input report and copies it into `buffer`;
  // the number of bytes, or nothing when the read failed or was cancelled.
  virtual std::optional<std::size_t> ReadInput(std::span<std::uint8_t> buffer) = 0;
  // Callable from any thread: ends the read in progress or, when none is, the
  // next one, so a thread that is stopped between two reads never blocks.
  virtual void CancelRead() = 0;
};

// The interfaces present when the list was taken; released when the object goes.
class HidInterfaceList {
 public:
  virtual ~HidInterfaceList() = default;
  // The interface path at `index`; nothing when that index cannot be read.
  virtual std::optional<std::u16string> PathAt(std::uint32_t index) = 0;
};

// Device-change notifications with the window system's event codes.
inline constexpr std::uint32_t kDeviceArrival = 0x8000;
inline constexpr std::uint32_t kDeviceRemoveComplete = 0x8004;
inline constexpr std::uint32_t kDeviceInterfaceNotice = 5;  // the kind that carries an interface path

struct DeviceNotice {
  std::uint32_t deviceType = 0;
  std::u16string name;  // the interface path, for a device-interface notice
};

// A window of the platform's window system, as an opaque handle.
using NativeWindow = void*;

class HidBus {
 public:
  virtual ~HidBus() = default;

  virtual std::unique_ptr<HidInterfaceList> PresentInterfaces() = 0;
  // Nothing when the path cannot be opened with that access.
  virtual std::unique_ptr<HidDevice> Open(std::u16string_view path, HidAccess access) = 0;
  // Asks that `window` be told of HID interface arrival and removal from now
  // on; never undone. Every bus delivers the notices the same way: as
  // WM_DEVICECHANGE messages to that window, so they reach the device link
  // on the window's thread and nowhere else. No bus calls into the link.
  virtual bool RegisterForNotifications(NativeWindow window) = 0;
};

}  // namespace zr
