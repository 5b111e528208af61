// A model of the mouse behind the HID bus interface: the collections it
// offers (and whatever else a test stages beside them), the feature reports
// it takes, the input reports its buttons send, and its unplugging and
// plugging in again. Thread-safe: the program's threads read and send while
// a test presses buttons or pulls the cable.
#pragma once

#include <chrono>
#include <cstdint>
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
  bool RegisterForNotifications(NativeWindow window, HidNotificationSink& sink) override;

  // The user's hands, by button code 1..6.
  void Press(std::uint8_t buttonCode);
  void Release(std::uint8_t buttonCode);
  void AdvanceTime(std::chrono::milliseconds elapsed);
  // Open handles of the mouse stop working for good; every registered sink
  // hears of each interface going (or coming), named in upper case as the
  // system names them.
  void Unplug();
  void Plug();

  FirmwareState State() const;
  std::vector<LoggedReport> FeatureLog() const;
  // The bytes of every report the firmware took, in order.
  std::vector<std::vector<std::uint8_t>> TakenReports() const;
  void ClearLog();
  // Indices asked of all interface lists so far.
  std::uint32_t IndicesAsked() const;
  int Registrations() const;

  // The model's state, shared with the lists and handles it hands out so that
  // they stay safe to use whatever outlives what.
  struct Core;

 private:
  std::shared_ptr<Core> core_;
};

}  // namespace zr::virtual_mouse
