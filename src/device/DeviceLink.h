// Finding the mouse among the present HID interfaces, opening its vendor
// input and feature collections, and following its removal and arrival.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>

#include "device/InputReportSource.h"
#include "platform/HidBus.h"

namespace zr {

inline constexpr std::uint16_t kMouseVendorId = 0x18F8;
inline constexpr std::uint16_t kMouseProductId = 0x1286;
inline constexpr std::uint16_t kVendorInputUsagePage = 0xFF00;
inline constexpr std::uint16_t kVendorFeatureUsagePage = 0xFF01;
inline constexpr std::uint16_t kVendorCollectionUsage = 1;
inline constexpr std::uint32_t kMaxInterfaceIndices = 100;
// Both the feature-report buffer and the input buffer hold this many bytes.
inline constexpr std::size_t kReportBufferSize = 256;

// A handle as the rest of the system sees it: never opened, opened and
// failed (the invalid handle value), or usable.
enum class HandleState : std::uint8_t { Null, Invalid, Open };

class DeviceLink final : public InputReportSource {
 public:
  explicit DeviceLink(HidBus& bus) : bus_(bus) {}
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // The window notices are addressed to and what the mouse's removal runs
  // (the exit procedure); set before the first open.
  void AttachWindow(NativeWindow window, std::function<void()> exitProcedure);

  // Walks the present interfaces, opens the mouse's two vendor collections
  // and registers for device-change notices; the result is also the new
  // device-present flag. Interface thread only.
  bool OpenDevice();
  // The WM_DEVICECHANGE handler's parameters, decoded; always true.
  // Interface thread only, like every notice: the buses address notices to
  // the window and never call this themselves.
  bool DeviceChange(std::uint32_t eventType, const DeviceNotice* notice);
  bool IsTheMousesInterface(const DeviceNotice* notice) const;

  bool DevicePresent() const { return devicePresent_.load(); }
  const std::u16string& DevicePath() const { return devicePath_; }
  HandleState InputHandle() const;
  HandleState FeatureHandle() const;
  std::uint16_t InputReportLength() const { return inputReportLength_.load(); }
  std::uint16_t ReportLength() const { return reportLength_.load(); }

  // What a feature report is sent through, taken whole so that a reopen on
  // the interface thread cannot change it halfway through a send.
  struct FeatureEndpoint {
    HandleState state = HandleState::Null;
    std::shared_ptr<HidDevice> device;
    std::size_t reportLength = 0;
  };
  FeatureEndpoint Feature() const;

  // For the input-report reader: one report of the input report length, or
  // nothing at once while the input handle is null or invalid.
  std::optional<std::size_t> ReadInputReport(std::span<std::uint8_t> buffer) override;
  // Ends a read in progress (or the next one) so the reader can be stopped.
  void CancelInputRead() override;

  // Told after every open and after the mouse's removal, with the new
  // device-present flag (the input-report reader waits on it).
  void SetInputChanged(std::function<void(bool)> inputChanged) { inputChanged_ = std::move(inputChanged); }

 private:
  struct Slot {
    HandleState state = HandleState::Null;
    std::shared_ptr<HidDevice> device;
  };
  void OpenCollection(const std::u16string& path, const HidCapabilities& caps);
  Slot OpenSlot(const std::u16string& path, HidAccess access, std::uint16_t declaredLength);

  HidBus& bus_;
  NativeWindow window_ = nullptr;
  std::function<void()> exitProcedure_;
  std::function<void(bool)> inputChanged_;
  bool registered_ = false;
  std::u16string devicePath_;
  std::atomic<bool> devicePresent_{false};

  mutable std::mutex slotsMutex_;  // the reader and the report senders take copies
  Slot input_;
  Slot feature_;
  std::atomic<std::uint16_t> inputReportLength_{0};
  std::atomic<std::uint16_t> reportLength_{0};
};

}  // namespace zr
