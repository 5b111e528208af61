// The main window's side of the mouse: the link, the reports and the two
// threads (the input-report reader and the button-action worker). Made fresh
// at each start, so the handover flags are clear before either thread runs.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "device/ButtonActions.h"
#include "device/FeatureReports.h"
#include "platform/HidBus.h"

namespace zr {

class MainWindowDevice {
 public:
  explicit MainWindowDevice(HidBus& bus);
  MainWindowDevice(const MainWindowDevice&) = delete;
  MainWindowDevice& operator=(const MainWindowDevice&) = delete;
  ~MainWindowDevice();

  // Device-change notices go to `window`; the mouse's removal runs `exit`.
  void Renew(ButtonActionContext context, const std::atomic<std::int32_t>& macroMode2, HWND window,
             std::function<void()> exit);
  // Only after Renew.
  void StartThreads();
  bool Open();
  FeatureReports& Reports();

  // Before the start there is nothing to stop, to tell or to hear.
  void StopThreads();
  void SendDriverExit();
  void DeviceChange(WPARAM eventType, LPARAM data);

 private:
  struct Parts;
  HidBus& bus_;
  std::unique_ptr<Parts> parts_;
};

}  // namespace zr
