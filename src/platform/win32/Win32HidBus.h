// The system's HID class: SetupAPI for the interface list, CreateFileW and
// the HID library for the interfaces themselves, and device notifications
// addressed to a window.
#pragma once

#include "platform/HidBus.h"

namespace zr {

class Win32HidBus final : public HidBus {
 public:
  std::unique_ptr<HidInterfaceList> PresentInterfaces() override;
  std::unique_ptr<HidDevice> Open(std::u16string_view path, HidAccess access) override;
  // The notices arrive as WM_DEVICECHANGE at `window`, whose handler passes
  // them on (DecodeDeviceBroadcast); `sink` is not called from here.
  bool RegisterForNotifications(NativeWindow window, HidNotificationSink& sink) override;
};

}  // namespace zr
