// The reader and the worker on their own threads, started together and
// stopped together, so the program and the tests can end them cleanly.
#pragma once

#include <thread>

#include "device/ButtonActions.h"
#include "device/InputReportReader.h"
#include "platform/ThreadPriority.h"

namespace zr {

class ButtonActionThreads {
 public:
  ButtonActionThreads(InputReportReader& reader, ButtonActionWorker& worker, ButtonActionHandover& handover)
      : reader_(reader), worker_(worker), handover_(handover) {}
  ButtonActionThreads(const ButtonActionThreads&) = delete;
  ButtonActionThreads& operator=(const ButtonActionThreads&) = delete;
  ~ButtonActionThreads() { Stop(); }

  void Start() {
    if (readerThread_.joinable()) return;
    workerThread_ = std::thread([this] {
      RaiseCurrentThreadPriority();
      worker_.Run();
    });
    readerThread_ = std::thread([this] {
      RaiseCurrentThreadPriority();
      reader_.Run();
    });
  }

  // Returns within milliseconds whatever the threads are doing: the read is
  // cancelled, and a playing macro ends in the step it is in, with
  // everything released.
  void Stop() {
    reader_.Shutdown();
    handover_.Shutdown();
    if (readerThread_.joinable()) readerThread_.join();
    if (workerThread_.joinable()) workerThread_.join();
  }

 private:
  InputReportReader& reader_;
  ButtonActionWorker& worker_;
  ButtonActionHandover& handover_;
  std::thread workerThread_;
  std::thread readerThread_;
};

}  // namespace zr
