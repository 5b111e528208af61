#include "virtual_mouse/VirtualMouse.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <utility>

#include "platform/Text.h"
#include "virtual_mouse/ReportLog.h"

namespace zr::virtual_mouse {
namespace {

constexpr std::u16string_view kHidClass = u"{4d1e55b2-f16f-11cf-88cb-001111000030}";
// The system keeps this many unread input reports per handle and drops the oldest.
constexpr std::size_t kInputRingSize = 32;
constexpr std::uint16_t kReportLength = 8;

std::u16string InterfacePath(std::u16string_view device, std::u16string_view instance) {
  return u"\\\\?\\hid#" + std::u16string(device) + u"#" + std::u16string(instance) + u"#" + std::u16string(kHidClass);
}

std::u16string UpperCase(std::u16string text) {
  for (char16_t& c : text)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return text;
}

Interface MouseInterface(std::u16string path, Role role, std::uint16_t usagePage, std::uint16_t usage,
                         std::uint16_t inputLength, std::uint16_t featureLength) {
  Interface i;
  i.path = std::move(path);
  i.role = role;
  i.partOfMouse = true;
  i.vendorId = kVendorId;
  i.productId = kProductId;
  i.usagePage = usagePage;
  i.usage = usage;
  i.inputReportLength = inputLength;
  i.featureReportLength = featureLength;
  return i;
}

class VirtualDevice;

}  // namespace

struct VirtualMouse::Core {
  mutable std::mutex mutex;
  std::condition_variable changed;
  std::vector<Interface> interfaces;
  bool plugged = true;
  std::uint64_t plugCount = 0;  // handles opened before an unplug never work again
  Firmware firmware;
  std::vector<LoggedReport> log;
  std::uint32_t indicesAsked = 0;
  std::vector<NativeWindow> windows;
  NoticeOutlet outlet;
  std::vector<RaisedNotice> queuedNotices;
  std::vector<VirtualDevice*> readers;
  const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  ReportLogWriter logWriter;

  bool Present(const Interface& i) const { return !i.partOfMouse || plugged; }
  const Interface* Find(std::u16string_view path) const {
    for (const Interface& i : interfaces)
      if (Present(i) && EqualsIgnoringCase(i.path, path)) return &i;
    return nullptr;
  }
  void Log(std::string_view kind, std::span<const std::uint8_t> bytes) {
    if (logWriter) logWriter(ReportLogLine(std::chrono::steady_clock::now() - start, kind, bytes));
  }
  std::uint16_t VendorInputLength() const {
    for (const Interface& i : interfaces)
      if (i.partOfMouse && i.role == Role::VendorInput) return i.inputReportLength;
    return kReportLength;
  }
  ButtonEffect Button(std::uint8_t buttonCode, bool pressed);
  void Send(const VendorEvent& event);
  void Notify(std::uint32_t eventType, std::unique_lock<std::mutex>& lock);
};

namespace {

class VirtualInterfaceList final : public HidInterfaceList {
 public:
  VirtualInterfaceList(std::shared_ptr<VirtualMouse::Core> core, std::vector<std::optional<std::u16string>> paths)
      : core_(std::move(core)), paths_(std::move(paths)) {}

  std::optional<std::u16string> PathAt(std::uint32_t index) override {
    {
      std::lock_guard lock(core_->mutex);
      ++core_->indicesAsked;
    }
    if (index >= paths_.size()) return std::nullopt;
    return paths_[index];
  }

 private:
  std::shared_ptr<VirtualMouse::Core> core_;
  std::vector<std::optional<std::u16string>> paths_;
};

class VirtualDevice final : public HidDevice {
 public:
  VirtualDevice(std::shared_ptr<VirtualMouse::Core> core, Interface i, HidAccess access)
      : core_(std::move(core)), interface_(std::move(i)), access_(access), plugCount_(core_->plugCount) {
    if (IsReader()) core_->readers.push_back(this);
  }
  ~VirtualDevice() override {
    std::lock_guard lock(core_->mutex);
    std::erase(core_->readers, this);
  }

  std::optional<HidAttributes> Attributes() override {
    std::lock_guard lock(core_->mutex);
    if (!AliveLocked() || interface_.attributesFail) return std::nullopt;
    return HidAttributes{interface_.vendorId, interface_.productId};
  }

  std::optional<HidCapabilities> Capabilities() override {
    std::lock_guard lock(core_->mutex);
    if (!AliveLocked() || interface_.capabilitiesFail) return std::nullopt;
    return HidCapabilities{interface_.usagePage, interface_.usage, interface_.inputReportLength,
                           interface_.featureReportLength};
  }

  bool SetFeature(std::span<const std::uint8_t> report) override {
    std::lock_guard lock(core_->mutex);
    // The system passes on only a report of exactly the collection's length.
    const bool reaches = AliveLocked() && interface_.role == Role::VendorFeature &&
                         report.size() == interface_.featureReportLength;
    if (reaches) core_->Log("feature", report);
    const bool taken = reaches && core_->firmware.OnFeatureReport(report);
    core_->log.push_back({std::chrono::steady_clock::now(), {report.begin(), report.end()}, taken});
    return taken;
  }

  // Says why a read ended, as the system's reads do: a cancel, or a mouse
  // that has gone, which the reader must not retry as a passing fault.
  InputRead Read(std::span<std::uint8_t> buffer) override {
    std::unique_lock lock(core_->mutex);
    // The system refuses a buffer that cannot hold a whole report.
    if (!IsReader() || buffer.size() < interface_.inputReportLength) return InputRead::Ended(ReadEnd::Failed);
    core_->changed.wait(lock, [&] { return cancelPending_ || !AliveLocked() || !queue_.empty(); });
    if (cancelPending_) {
      cancelPending_ = false;
      return InputRead::Ended(ReadEnd::Cancelled);
    }
    if (!AliveLocked()) return InputRead::Ended(ReadEnd::DeviceGone);
    const std::vector<std::uint8_t> report = std::move(queue_.front());
    queue_.pop_front();
    std::copy(report.begin(), report.end(), buffer.begin());
    return InputRead::Of(report.size());
  }

  void CancelRead() override {
    std::lock_guard lock(core_->mutex);
    cancelPending_ = true;
    core_->changed.notify_all();
  }

  // Called with the core's lock held.
  void Deliver(const VendorEvent& event) {
    if (!AliveLocked()) return;
    std::vector<std::uint8_t> report(interface_.inputReportLength, 0);
    std::copy_n(event.begin(), std::min(report.size(), event.size()), report.begin());
    if (queue_.size() == kInputRingSize) queue_.pop_front();
    queue_.push_back(std::move(report));
  }

 private:
  bool IsReader() const { return access_ == HidAccess::Read && interface_.role == Role::VendorInput; }
  bool AliveLocked() const {
    return !interface_.partOfMouse || (core_->plugged && core_->plugCount == plugCount_);
  }

  std::shared_ptr<VirtualMouse::Core> core_;
  const Interface interface_;
  const HidAccess access_;
  const std::uint64_t plugCount_;
  std::deque<std::vector<std::uint8_t>> queue_;
  bool cancelPending_ = false;
};

}  // namespace

void VirtualMouse::Core::Send(const VendorEvent& event) {
  for (VirtualDevice* reader : readers) reader->Deliver(event);
  changed.notify_all();
}

ButtonEffect VirtualMouse::Core::Button(std::uint8_t buttonCode, bool pressed) {
  ButtonEffect effect;
  if (!plugged) return effect;
  const std::size_t pointerBefore = firmware.State().pointerEvents.size();
  if (const std::optional<VendorEvent> event = firmware.OnButton(buttonCode, pressed)) {
    std::vector<std::uint8_t> report(VendorInputLength(), 0);
    std::copy_n(event->begin(), std::min(report.size(), event->size()), report.begin());
    Log("input", report);
    effect.inputReports.push_back(std::move(report));
    Send(*event);
  }
  const std::vector<PointerEvent>& pointer = firmware.State().pointerEvents;
  effect.pointerEvents.assign(pointer.begin() + static_cast<std::ptrdiff_t>(pointerBefore), pointer.end());
  return effect;
}

void VirtualMouse::Core::Notify(std::uint32_t eventType, std::unique_lock<std::mutex>& lock) {
  std::vector<RaisedNotice> notices;
  for (const Interface& i : interfaces)
    if (i.partOfMouse)
      for (NativeWindow window : windows) notices.push_back({window, eventType, {kDeviceInterfaceNotice, UpperCase(i.path)}});
  if (!outlet) {
    queuedNotices.insert(queuedNotices.end(), notices.begin(), notices.end());
    return;
  }
  // The outlet is set once, before the program runs, so a copy taken under
  // the lock stays the one to call.
  const NoticeOutlet deliver = outlet;
  lock.unlock();
  for (RaisedNotice& notice : notices) deliver(std::move(notice));
}

VirtualMouse::VirtualMouse() : VirtualMouse(MouseCollections()) {}

VirtualMouse::VirtualMouse(std::vector<Interface> interfaces) : core_(std::make_shared<Core>()) {
  core_->interfaces = std::move(interfaces);
}

VirtualMouse::~VirtualMouse() = default;

Interface VirtualMouse::PointerCollection() {
  return MouseInterface(InterfacePath(u"vid_18f8&pid_1286&mi_00", u"7&2a5f1c3&0&0000"), Role::Pointer, 0x0001,
                        0x0002, 5, 0);
}

Interface VirtualMouse::VendorInputCollection() {
  return MouseInterface(InterfacePath(u"vid_18f8&pid_1286&mi_01&col01", u"7&1b3d4e5&0&0000"), Role::VendorInput,
                        0xFF00, 1, kReportLength, 0);
}

Interface VirtualMouse::VendorFeatureCollection() {
  return MouseInterface(InterfacePath(u"vid_18f8&pid_1286&mi_01&col02", u"7&1b3d4e5&0&0001"), Role::VendorFeature,
                        0xFF01, 1, 0, kReportLength);
}

std::vector<Interface> VirtualMouse::MouseCollections() {
  return {PointerCollection(), VendorInputCollection(), VendorFeatureCollection()};
}

Interface VirtualMouse::UnrelatedDevice(int n, std::uint16_t vendorId, std::uint16_t productId) {
  Interface i;
  i.path = InterfacePath(u"vid_1234&pid_5678&mi_0" + DecimalText(n), u"6&3c2b1a0&0&000" + DecimalText(n));
  i.vendorId = vendorId;
  i.productId = productId;
  i.usagePage = 0x0001;
  i.usage = 0x0006;
  i.inputReportLength = 9;
  return i;
}

std::unique_ptr<HidInterfaceList> VirtualMouse::PresentInterfaces() {
  std::lock_guard lock(core_->mutex);
  std::vector<std::optional<std::u16string>> paths;
  for (const Interface& i : core_->interfaces) {
    if (!core_->Present(i)) continue;
    paths.push_back(i.enumerationFails ? std::nullopt : std::optional(i.path));
  }
  return std::make_unique<VirtualInterfaceList>(core_, std::move(paths));
}

std::unique_ptr<HidDevice> VirtualMouse::Open(std::u16string_view path, HidAccess access) {
  std::lock_guard lock(core_->mutex);
  const Interface* i = core_->Find(path);
  if (i == nullptr || i->openFails || (access != HidAccess::QueryOnly && i->dataOpenFails)) return nullptr;
  return std::make_unique<VirtualDevice>(core_, *i, access);
}

bool VirtualMouse::RegisterForNotifications(NativeWindow window) {
  std::lock_guard lock(core_->mutex);
  core_->windows.push_back(window);
  return true;
}

ButtonEffect VirtualMouse::Press(std::uint8_t buttonCode) {
  std::lock_guard lock(core_->mutex);
  return core_->Button(buttonCode, true);
}

ButtonEffect VirtualMouse::Release(std::uint8_t buttonCode) {
  std::lock_guard lock(core_->mutex);
  return core_->Button(buttonCode, false);
}

void VirtualMouse::AdvanceTime(std::chrono::milliseconds elapsed) {
  std::lock_guard lock(core_->mutex);
  core_->firmware.AdvanceTime(elapsed);
}

void VirtualMouse::Unplug() {
  std::unique_lock lock(core_->mutex);
  if (!core_->plugged) return;
  core_->plugged = false;
  ++core_->plugCount;
  core_->changed.notify_all();  // blocked reads of the mouse fail now
  core_->Notify(kDeviceRemoveComplete, lock);
}

void VirtualMouse::Plug() {
  std::unique_lock lock(core_->mutex);
  if (core_->plugged) return;
  core_->plugged = true;
  core_->Notify(kDeviceArrival, lock);
}

bool VirtualMouse::Plugged() const {
  std::lock_guard lock(core_->mutex);
  return core_->plugged;
}

void VirtualMouse::SetNoticeOutlet(NoticeOutlet outlet) {
  std::lock_guard lock(core_->mutex);
  core_->outlet = std::move(outlet);
}

std::vector<RaisedNotice> VirtualMouse::TakeNotices() {
  std::lock_guard lock(core_->mutex);
  return std::exchange(core_->queuedNotices, {});
}

void VirtualMouse::LogReportsTo(ReportLogWriter writer) {
  std::lock_guard lock(core_->mutex);
  core_->logWriter = std::move(writer);
}

FirmwareState VirtualMouse::State() const {
  std::lock_guard lock(core_->mutex);
  return core_->firmware.State();
}

std::vector<LoggedReport> VirtualMouse::FeatureLog() const {
  std::lock_guard lock(core_->mutex);
  return core_->log;
}

std::vector<std::vector<std::uint8_t>> VirtualMouse::TakenReports() const {
  std::lock_guard lock(core_->mutex);
  std::vector<std::vector<std::uint8_t>> taken;
  for (const LoggedReport& report : core_->log)
    if (report.taken) taken.push_back(report.bytes);
  return taken;
}

void VirtualMouse::ClearLog() {
  std::lock_guard lock(core_->mutex);
  core_->log.clear();
}

std::uint32_t VirtualMouse::IndicesAsked() const {
  std::lock_guard lock(core_->mutex);
  return core_->indicesAsked;
}

int VirtualMouse::Registrations() const {
  std::lock_guard lock(core_->mutex);
  return static_cast<int>(core_->windows.size());
}

}  // namespace zr::virtual_mouse
