// The device link, the report sender and the download wired to a virtual
// mouse and to recording doubles: what each device test starts from.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "config/ConfigDownload.h"
#include "config/ConfigRecord.h"
#include "device/DeviceLink.h"
#include "device/FeatureReports.h"
#include "shared/RecordingSystemSettings.h"
#include "virtual_mouse/VirtualMouse.h"

namespace zr::test {

using Bytes = std::vector<std::uint8_t>;

class RecordingSleeper final : public Sleeper {
 public:
  void SleepFor(std::chrono::milliseconds duration) override {
    waits.push_back(duration);
    if (onSleep) onSleep();
  }
  std::vector<std::chrono::milliseconds> waits;
  std::function<void()> onSleep;
};

class RecordingRepaint final : public WindowRepaint {
 public:
  void RepaintWholeWindow() override {
    ++count;
    if (onRepaint) onRepaint();
  }
  int count = 0;
  std::function<void()> onRepaint;
};

struct MouseRig {
  explicit MouseRig(std::vector<virtual_mouse::Interface> interfaces = virtual_mouse::VirtualMouse::MouseCollections())
      : mouse(std::move(interfaces)) {
    link.AttachWindow(nullptr, [this] { ++exits; });
  }

  DownloadServices Services(ProfileFiles& files) { return {files, reports, system, repaint}; }

  // What the window's WM_DEVICECHANGE handler does with each notice the
  // mouse raised, on the calling thread, which stands for the interface thread.
  void DeliverNotices() {
    for (const virtual_mouse::RaisedNotice& raised : mouse.TakeNotices()) link.DeviceChange(raised.eventType, &raised.notice);
  }

  virtual_mouse::VirtualMouse mouse;
  DeviceLink link{mouse};
  RecordingSleeper sleeper;
  FeatureReports reports{link, sleeper};
  RecordingSystemSettings system;
  RecordingRepaint repaint;
  ConfigRecord record;
  int exits = 0;
};

}  // namespace zr::test
