// The reader thread: takes the vendor input reports of the mouse and hands
// them to the button-action worker. It blocks in the device read and, while
// the mouse is not open, on a condition, so it never polls. A failed read
// never turns it deaf: it reads again after a short pause.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "device/ButtonActions.h"
#include "device/DeviceLink.h"
#include "device/InputReportSource.h"

namespace zr {

// The pause after a failed read: the first, and the bound it doubles up to.
inline constexpr std::chrono::milliseconds kFirstRetryPause{2};
inline constexpr std::chrono::milliseconds kLongestRetryPause{250};
std::chrono::milliseconds NextRetryPause(std::chrono::milliseconds pause);

// How the reader waits for a change of the mouse's handles: with no end
// while nothing can be read, or for at most a pause after a failed read.
// Behind an interface so tests can see which wait the reader is in instead
// of giving it time and counting its reads.
class ReaderWaits {
 public:
  virtual ~ReaderWaits() = default;
  virtual void UntilChanged(std::condition_variable& changes, std::unique_lock<std::mutex>& lock,
                            const std::function<bool()>& changed) {
    changes.wait(lock, changed);
  }
  virtual void PauseUnlessChanged(std::condition_variable& changes, std::unique_lock<std::mutex>& lock,
                                  std::chrono::milliseconds pause, const std::function<bool()>& changed) {
    changes.wait_for(lock, pause, changed);
  }
};

class InputReportReader {
 public:
  InputReportReader(InputReportSource& source, ButtonActionHandover& handover,
                    const std::atomic<std::int32_t>& macroMode2)
      : InputReportReader(source, handover, macroMode2, conditionWaits_) {}
  InputReportReader(InputReportSource& source, ButtonActionHandover& handover,
                    const std::atomic<std::int32_t>& macroMode2, ReaderWaits& waits)
      : source_(source), handover_(handover), macroMode2_(macroMode2), waits_(waits) {}

  // The reader thread's body: returns once Shutdown is called.
  void Run();

  // The mouse was opened or closed: a reader that found no mouse tries again.
  // When it went away, a playing macro is asked to stop as well, since no
  // release report can come any more; when it comes back, everything is
  // released, so no key it last heard about stays held.
  void InputChanged(bool mousePresent);
  void Shutdown();

  // Reads that failed with the mouse open, for the tests and the benchmarks.
  std::uint64_t FailedReads() const { return failedReads_.load(); }

 private:
  InputReportSource& source_;
  ButtonActionHandover& handover_;
  const std::atomic<std::int32_t>& macroMode2_;
  ReaderWaits conditionWaits_;  // declared before it is used: see the first constructor
  ReaderWaits& waits_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::uint64_t generation_ = 0;  // counts changes of the mouse's handles
  bool removed_ = false;          // the mouse went away and has not come back
  bool shutdown_ = false;
  std::atomic<std::uint64_t> failedReads_{0};
  std::array<std::uint8_t, kReportBufferSize> buffer_{};
};

}  // namespace zr
