#include "device/DeviceLink.h"

#include <algorithm>
#include <utility>

#include "platform/Text.h"

namespace zr {
namespace {

bool IsCollection(const HidCapabilities& caps, std::uint16_t usagePage) {
  return caps.usagePage == usagePage && caps.usage == kVendorCollectionUsage;
}

// A declared length of 0 leaves nothing to send or read, and one beyond the
// buffer would have the system copy past it.
bool FitsTheBuffer(std::uint16_t declaredLength) {
  return declaredLength != 0 && declaredLength <= kReportBufferSize;
}

}  // namespace

void DeviceLink::AttachWindow(NativeWindow window, std::function<void()> exitProcedure) {
  window_ = window;
  exitProcedure_ = std::move(exitProcedure);
}

bool DeviceLink::OpenDevice() {
  {
    // Handles of an earlier open belong to a mouse that has gone; starting
    // from null makes the walk open both collections again rather than stop
    // at the first interface because the old handles are still there.
    std::lock_guard lock(slotsMutex_);
    if (input_.device) input_.device->CancelRead();
    input_ = {};
    feature_ = {};
  }

  bool found = false;
  bool bothOpened = false;
  if (auto list = bus_.PresentInterfaces()) {
    for (std::uint32_t index = 0; index < kMaxInterfaceIndices && !bothOpened; ++index) {
      const std::optional<std::u16string> path = list->PathAt(index);
      if (!path) continue;

      std::unique_ptr<HidDevice> query = bus_.Open(*path, HidAccess::QueryOnly);
      found = false;
      const std::optional<HidAttributes> attributes = query ? query->Attributes() : std::nullopt;
      if (!attributes || attributes->vendorId != kMouseVendorId || attributes->productId != kMouseProductId) continue;

      found = true;
      devicePath_ = *path;
      // One registration serves every later notice; registering for each
      // collection would deliver every notice once per collection.
      if (!registered_) registered_ = bus_.RegisterForNotifications(window_);

      if (const std::optional<HidCapabilities> caps = query->Capabilities()) OpenCollection(*path, *caps);
      query.reset();

      std::lock_guard lock(slotsMutex_);
      bothOpened = input_.state != HandleState::Null && feature_.state != HandleState::Null;
    }
  }
  const bool result = bothOpened || found;
  devicePresent_ = result;
  if (inputChanged_) inputChanged_(result);
  return result;
}

void DeviceLink::OpenCollection(const std::u16string& path, const HidCapabilities& caps) {
  if (IsCollection(caps, kVendorInputUsagePage)) {
    inputReportLength_ = caps.inputReportLength;
    Slot slot = OpenSlot(path, HidAccess::Read, caps.inputReportLength);
    std::lock_guard lock(slotsMutex_);
    input_ = std::move(slot);
  } else if (IsCollection(caps, kVendorFeatureUsagePage)) {
    reportLength_ = caps.featureReportLength;
    Slot slot = OpenSlot(path, HidAccess::Write, caps.featureReportLength);
    std::lock_guard lock(slotsMutex_);
    feature_ = std::move(slot);
  }
}

DeviceLink::Slot DeviceLink::OpenSlot(const std::u16string& path, HidAccess access, std::uint16_t declaredLength) {
  // A collection whose reports do not fit the buffer is treated as one that
  // failed to open: the invalid handle keeps every read and send away from it.
  if (!FitsTheBuffer(declaredLength)) return {HandleState::Invalid, nullptr};
  std::unique_ptr<HidDevice> device = bus_.Open(path, access);
  if (!device) return {HandleState::Invalid, nullptr};
  return {HandleState::Open, std::move(device)};
}

bool DeviceLink::IsTheMousesInterface(const DeviceNotice* notice) const {
  return notice != nullptr && notice->deviceType == kDeviceInterfaceNotice &&
         EqualsIgnoringCase(notice->name, devicePath_);
}

bool DeviceLink::DeviceChange(std::uint32_t eventType, const DeviceNotice* notice) {
  if (eventType == kDeviceArrival) {
    if (IsTheMousesInterface(notice) && !devicePresent_) OpenDevice();
  } else if (eventType == kDeviceRemoveComplete) {
    if (IsTheMousesInterface(notice)) {
      devicePresent_ = false;
      if (inputChanged_) inputChanged_(false);
      if (exitProcedure_) exitProcedure_();
    }
  }
  return true;
}

HandleState DeviceLink::InputHandle() const {
  std::lock_guard lock(slotsMutex_);
  return input_.state;
}

HandleState DeviceLink::FeatureHandle() const {
  std::lock_guard lock(slotsMutex_);
  return feature_.state;
}

DeviceLink::FeatureEndpoint DeviceLink::Feature() const {
  std::lock_guard lock(slotsMutex_);
  return {feature_.state, feature_.device, reportLength_.load()};
}

std::optional<std::size_t> DeviceLink::ReadInputReport(std::span<std::uint8_t> buffer) {
  std::shared_ptr<HidDevice> device;
  {
    std::lock_guard lock(slotsMutex_);
    if (input_.state != HandleState::Open) return std::nullopt;
    device = input_.device;
  }
  const std::size_t length = std::min<std::size_t>(inputReportLength_.load(), buffer.size());
  return device->ReadInput(buffer.first(length));
}

void DeviceLink::CancelInputRead() {
  std::lock_guard lock(slotsMutex_);
  if (input_.device) input_.device->CancelRead();
}

}  // namespace zr
