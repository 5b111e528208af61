// The reader thread: takes the vendor input reports of the attached mouse
// and hands them to the button-action worker. It blocks in the device read
// and, while no mouse is attached, on a condition, so it never polls.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include "device/ButtonActions.h"
#include "platform/HidBus.h"

namespace zr {

inline constexpr std::size_t kInputBufferBytes = 256;

class InputReportReader {
 public:
  InputReportReader(ButtonActionHandover& handover, const std::atomic<std::int32_t>& macroMode2)
      : handover_(handover), macroMode2_(macroMode2) {}

  // The reader thread's body: returns once Shutdown is called.
  void Run();

  // The mouse's vendor input collection was opened for reading.
  void Attach(std::shared_ptr<HidDevice> device);
  // The mouse went away: the read in progress ends, and a playing macro is
  // asked to stop, since no release report can come any more.
  void Detach();
  void Shutdown();

 private:
  ButtonActionHandover& handover_;
  const std::atomic<std::int32_t>& macroMode2_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::shared_ptr<HidDevice> device_;
  std::uint64_t generation_ = 0;  // counts attaches and detaches
  bool shutdown_ = false;
  std::array<std::uint8_t, kInputBufferBytes> buffer_{};
};

}  // namespace zr
