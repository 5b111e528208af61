// A model of the mouse behind the HID bus interface: the collections it
// offers (and whatever else a test stages beside them), the feature reports
// it takes, the input reports its buttons send, and its unplugging and
// plugging in again. Thread-safe: the program's threads read and send while
// a test presses buttons or pulls the cable.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/HidBus.h"
#include "virtual_mouse/Firmware.h"

namespace zr::virtual_mouse {

inline constexpr std::uint16_t kVendorId = 0x18F8;
inline constexpr std::uint16_t kProductId = 0x1286;

// What an interface does inside the model, whatever usage it reports.
enum class Role : std::uint8_t {
  Unrelated,      // neither reads nor takes reports
  Pointer,        // the ordinary mouse collection
  VendorInput,    // sends the vendor input reports of the buttons
  VendorFeature,  // takes the feature-report commands
};

// One entry of the system's interface list.
struct Interface {
  std::u16string path;
  Role role = Role::Unrelated;
  bool partOfMouse = false;  // goes away when the mouse is unplugged
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  std::uint16_t inputReportLength = 0;
  std::uint16_t featureReportLength = 0;

  // Faults to stage.
  bool enumerationFails = false;  // its index cannot be read
  bool openFails = false;         // no open succeeds, not even for query
  bool dataOpenFails = false;     // query opens work, read and write opens fail
  bool attributesFail = false;
  bool capabilitiesFail = false;
};

struct LoggedReport {
  std::chrono::steady_clock::time_point at;
  std::vector<std::uint8_t> bytes;
  bool taken = false;  // false: refused (not the feature collection, wrong length, mouse gone)
};

// A device-change notice as the system addresses it: to one registered window.
struct RaisedNotice {
  NativeWindow window = nullptr;
  std::uint32_t eventType = 0;
  DeviceNotice notice;
};

// Where notices go as they are raised. Called on the thread that plugs or
// unplugs, outside the model's lock; it must hand the notice on to the
// window's thread and return without waiting for that thread.
using NoticeOutlet = std::function<void(RaisedNotice)>;

// Where the report log's lines go, each without its line end. Called with
// the model's lock held, so the lines come in the order of the reports.
using ReportLogWriter = std::function<void(const std::string& line)>;

// What one press or release made the mouse report.
struct ButtonEffect {
  std::vector<std::vector<std::uint8_t>> inputReports;  // vendor input reports, padded as sent
  std::vector<PointerEvent> pointerEvents;              // on the ordinary mouse collection
};

class VirtualMouse final : public HidBus {
 public:
  // The mouse's three collections, plugged in, and no other device.
  VirtualMouse();
  // Exactly these interfaces, in this order.
  explicit VirtualMouse(std::vector<Interface> interfaces);
  ~VirtualMouse() override;
  VirtualMouse(const VirtualMouse&) = delete;
  VirtualMouse& operator=(const VirtualMouse&) = delete;

  static Interface PointerCollection();
  static Interface VendorInputCollection();
  static Interface VendorFeatureCollection();
  // In the order the system lists them: pointer, vendor input, vendor feature.
  static std::vector<Interface> MouseCollections();
  // Another maker's HID device; `n` keeps paths apart.
  static Interface UnrelatedDevice(int n, std::uint16_t vendorId = 0x1234, std::uint16_t productId = 0x5678);

  std::unique_ptr<HidInterfaceList> PresentInterfaces() override;
  std::unique_ptr<HidDevice> Open(std::u16string_view path, HidAccess access) override;
  bool RegisterForNotifications(NativeWindow window) override;

  // The user's hands, by button code 1..6. An unplugged mouse does nothing.
  ButtonEffect Press(std::uint8_t buttonCode);
  ButtonEffect Release(std::uint8_t buttonCode);
  void AdvanceTime(std::chrono::milliseconds elapsed);
  // Open handles of the mouse stop working for good; every registered window
  // is told of each interface going (or coming), named in upper case as the
  // system names them. Doing either twice changes nothing.
  void Unplug();
  void Plug();
  bool Plugged() const;

  // Until an outlet is set, raised notices wait in a queue for the test to
  // take and deliver on the link's thread.
  void SetNoticeOutlet(NoticeOutlet outlet);
  std::vector<RaisedNotice> TakeNotices();

  // From now on one line per feature report that reaches the mouse and per
  // input report it sends (ReportLog.h has the format), timed from the
  // model's creation.
  void LogReportsTo(ReportLogWriter writer);

  FirmwareState State() const;
  std::vector<LoggedReport> FeatureLog() const;
  // The bytes of every report the firmware took, in order.
  std::vector<std::vector<std::uint8_t>> TakenReports() const;
  void ClearLog();
  // Indices asked of all interface lists so far.
  std::uint32_t IndicesAsked() const;
  // Windows registered for notices so far.
  int Registrations() const;

  // The model's state, shared with the lists and handles it hands out so that
  // they stay safe to use whatever outlives what.
  struct Core;

 private:
  std::shared_ptr<Core> core_;
};

}  // namespace zr::virtual_mouse
