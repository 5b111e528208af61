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
  // The system sends the notices as WM_DEVICECHANGE to `window`, whose
  // handler decodes them (DecodeDeviceBroadcast) for the device link.
  bool RegisterForNotifications(NativeWindow window) override;
};

}  // namespace zr
