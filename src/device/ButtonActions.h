// The host's half of the buttons whose functions the mouse cannot carry out
// alone. The input-report reader turns the mouse's vendor input reports into
// a pending action or a stop request; the button-action worker carries the
// pending action out: macros played through the mouse, consumer keys, the
// calculator and command prompt, and the host's mirror of the DPI level and
// report-rate step.
//
// Nothing polls. The reader blocks in its device read; the worker sleeps on a
// condition until the reader hands it an action. The handover decisions are
// taken under one mutex, so a stop request can never outlive the action it
// was meant for.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>

#include "config/ConfigRecord.h"
#include "device/MouseChangeNotices.h"
#include "device/MouseInjection.h"
#include "macros/MacroRecord.h"
#include "platform/ProfileFiles.h"
#include "platform/ProgramStarter.h"
#include "platform/StepTimer.h"
#include "platform/WindowRepaint.h"

namespace zr {

inline constexpr std::uint8_t kVendorInputReportId = 6;
inline constexpr std::uint8_t kButtonEventBase = 0xF0;
// Event codes 0xF1..0xFF: one per button code 1..15.
inline constexpr std::size_t kButtonEventCodes = 0xFF - kButtonEventBase;
inline constexpr std::uint8_t kReleasedLevelByte = 0x80;
inline constexpr std::int32_t kHeldMacroRepetitions = 10000;
inline constexpr std::uint32_t kShortestStepMs = 15;

// A press that came while the worker was busy: not carried out (presses are
// never queued), but for a DPI button its level byte is the level the mouse
// has switched to, which the host must not lose.
struct MissedPress {
  std::uint8_t eventCode = 0;
  std::uint8_t levelByte = 0;
};
// The newest missed press of each button, oldest first.
struct MissedPresses {
  std::array<MissedPress, kButtonEventCodes> presses{};
  std::size_t count = 0;
};

// The state the reader hands to the worker.
class ButtonActionHandover {
 public:
  // The worker's step waits, which a removal and a shutdown end at once.
  void AttachStepTimer(StepTimer& timer);

  // Reader: one vendor input report as read. Reports of another id, or too
  // short to hold an event code and a level byte, are ignored.
  void OnInputReport(std::span<const std::uint8_t> report, std::int32_t macroMode2);
  // The mouse has gone away: a playing macro ends in the step it is in, since
  // no release report can come any more and nothing it sends arrives.
  void RequestStop();

  // The mouse is back after a removal: whatever it last heard may have left
  // keys held, so the worker releases everything before the next action.
  void RequestRelease();

  enum class Wake : std::uint8_t { Action, Release, End };
  // Worker: waits until an action is pending, a release is asked for, or the
  // threads are told to end.
  Wake WaitForAction(std::uint8_t& eventCode, std::uint8_t& levelByte);
  bool StopRequested() const { return stopRequest_.load(std::memory_order_acquire) != 0; }
  // The action is done: the next press can start another one. Hands back
  // the presses that came meanwhile.
  MissedPresses FinishAction();

  // Ends WaitForAction and every step wait for good.
  void Shutdown();
  bool Pending() const { return pending_.load(std::memory_order_acquire) != 0; }

 private:
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::atomic<std::int32_t> pending_{0};
  std::atomic<std::uint8_t> pendingEventCode_{0};
  std::atomic<std::uint8_t> pendingLevelByte_{0};
  std::atomic<std::int32_t> stopRequest_{0};
  StepTimer* stepTimer_ = nullptr;
  // Under the mutex: per event code above the base, the last missed level
  // byte and when it came (0: none since the action began).
  std::array<std::uint8_t, kButtonEventCodes> missedLevel_{};
  std::array<std::uint32_t, kButtonEventCodes> missedOrder_{};
  std::uint32_t missedCount_ = 0;
  bool releaseRequested_ = false;
  bool shutdown_ = false;
};

// Where the worker's single-key saves go and how it asks for a repaint.
struct ButtonActionContext {
  ConfigRecord& config;
  const MacroTables& macros;
  ProfileFiles& files;
  std::u16string configFile;
  const std::atomic<std::int32_t>& currentConfig;
  WindowRepaint& repaint;
  // Told of each DPI level or report-rate step the mouse switched to; none in
  // harnesses that only watch the reports.
  MouseChangeNotices* notices = nullptr;
};

class ButtonActionWorker {
 public:
  ButtonActionWorker(ButtonActionContext context, ButtonActionHandover& handover, MouseInjection& mouse,
                     StepTimer& timer, ProgramStarter& programs)
      : context_(std::move(context)), handover_(handover), mouse_(mouse), timer_(timer), programs_(programs) {
    handover_.AttachStepTimer(timer_);
  }

  // The worker thread's body: returns once the handover is shut down.
  void Run();

  // One pending action, for every slot whose button reports this event code.
  void CarryOut(std::uint8_t eventCode, std::uint8_t levelByte);
  // Plays a macro `repetitions` times, ending early after a repetition in
  // which a stop was requested, or in the step it is in when the mouse goes
  // or the threads end; it always ends with everything released.
  void PlayMacro(const MacroRecord& macro, std::int32_t repetitions);

  // The level the mouse reported with presses the worker was too busy to
  // take: the newest one of a DPI button becomes DPI_LEVEL.
  void FollowMissedLevels(const MissedPresses& missed);

 private:
  void ActOnFunction(std::int32_t functionCode);

  ButtonActionContext context_;
  ButtonActionHandover& handover_;
  MouseInjection& mouse_;
  StepTimer& timer_;
  ProgramStarter& programs_;
};

// How many times a user macro plays for a press.
std::int32_t UserMacroRepetitions(const MacroRecord& macro, std::int32_t macroMode2);

}  // namespace zr
