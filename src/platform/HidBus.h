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

// How a wait for an input report ended. Only a removal notice closes the
// mouse, so the reader treats every ending but a report as a reason to try
// again: at once after a cancel, after a pause after an error, and on the
// next open when there is nothing to read from.
enum class ReadEnd : std::uint8_t {
  Report,      // `length` bytes arrived
  Cancelled,   // CancelRead ended it
  NoDevice,    // there was no open handle to read from
  DeviceGone,  // the system says the device has gone
  Failed,      // any other error
};

struct InputRead {
  ReadEnd end = ReadEnd::Failed;
  std::size_t length = 0;

  static InputRead Of(std::size_t bytes) { return {ReadEnd::Report, bytes}; }
  static InputRead Ended(ReadEnd why) { return {why, 0}; }
  bool HasReport() const { return end == ReadEnd::Report; }
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
  // Waits until the device sends an input report and copies it into `buffer`,
  // and says how the wait ended.
  virtual InputRead Read(std::span<std::uint8_t> buffer) = 0;
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
