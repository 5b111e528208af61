#include "app/MainWindowDevice_win.h"

#include "device/ButtonActionThreads.h"
#include "device/DeviceLink.h"
#include "device/InputReportReader.h"
#include "platform/Sleeper.h"
#include "platform/StepTimer.h"
#include "platform/win32/DeviceBroadcast.h"
#include "platform/win32/Win32ProgramStarter.h"

namespace zr {

struct MainWindowDevice::Parts {
  Parts(HidBus& bus, ButtonActionContext context, const std::atomic<std::int32_t>& macroMode2)
      : link(bus),
        reports(link, reportPauses),
        reader(link, handover, macroMode2),
        stepTimer(MakeSystemStepTimer()),
        worker(std::move(context), handover, reports, *stepTimer, programs),
        threads(reader, worker, handover) {}
  DeviceLink link;
  ThreadSleeper reportPauses;
  FeatureReports reports;
  ButtonActionHandover handover;
  InputReportReader reader;
  std::unique_ptr<StepTimer> stepTimer;
  Win32ProgramStarter programs;
  ButtonActionWorker worker;
  ButtonActionThreads threads;
};

MainWindowDevice::MainWindowDevice(HidBus& bus) : bus_(bus) {}

MainWindowDevice::~MainWindowDevice() { StopThreads(); }

void MainWindowDevice::Renew(ButtonActionContext context, const std::atomic<std::int32_t>& macroMode2, HWND window,
                             std::function<void()> exit) {
  parts_ = std::make_unique<Parts>(bus_, std::move(context), macroMode2);
  parts_->link.AttachWindow(window, std::move(exit));
  parts_->link.SetInputChanged([reader = &parts_->reader](bool present) { reader->InputChanged(present); });
}

void MainWindowDevice::StartThreads() { parts_->threads.Start(); }

bool MainWindowDevice::Open() { return parts_->link.OpenDevice(); }

FeatureReports& MainWindowDevice::Reports() { return parts_->reports; }

void MainWindowDevice::StopThreads() {
  if (parts_) parts_->threads.Stop();
}

void MainWindowDevice::SendDriverExit() {
  if (parts_) parts_->reports.SendDriverExit();
}

void MainWindowDevice::DeviceChange(WPARAM eventType, LPARAM data) {
  if (!parts_) return;
  const auto notice = DecodeDeviceBroadcast(data);
  parts_->link.DeviceChange(static_cast<std::uint32_t>(eventType), notice ? &*notice : nullptr);
}

}  // namespace zr
