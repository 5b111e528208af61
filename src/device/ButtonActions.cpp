#include "device/ButtonActions.h"

#include <algorithm>

#include "config/ConfigStore.h"
#include "config/FunctionTable.h"
#include "config/RecordRules.h"

namespace zr {

void ButtonActionHandover::OnInputReport(std::span<const std::uint8_t> report, std::int32_t macroMode2) {
  if (report.size() < 3 || report[0] != kVendorInputReportId) return;
  const std::uint8_t code = report[1];
  const std::uint8_t level = report[2];
  std::lock_guard lock(mutex_);
  const bool pending = pending_.load(std::memory_order_relaxed) != 0;
  if (code > kButtonEventBase && level != kReleasedLevelByte) {
    if (pending) {
      const std::size_t button = code - kButtonEventBase - 1u;
      missedLevel_[button] = level;
      missedOrder_[button] = ++missedCount_;
    }
    if (!pending) {
      pendingEventCode_.store(code, std::memory_order_relaxed);
      pendingLevelByte_.store(level, std::memory_order_relaxed);
      pending_.store(1, std::memory_order_release);
      wake_.notify_one();
    } else if (macroMode2 == 0) {
      stopRequest_.store(1, std::memory_order_release);
    }
  } else if (code > kButtonEventBase) {
    // A release matters only to a macro that plays while its button is held.
    if (macroMode2 != 0 && pending) stopRequest_.store(1, std::memory_order_release);
  } else if (pending) {
    stopRequest_.store(1, std::memory_order_release);
  }
}

void ButtonActionHandover::AttachStepTimer(StepTimer& timer) {
  std::lock_guard lock(mutex_);
  stepTimer_ = &timer;
  if (shutdown_) timer.Close();
}

void ButtonActionHandover::RequestStop() {
  std::lock_guard lock(mutex_);
  if (pending_.load(std::memory_order_relaxed) == 0) return;
  stopRequest_.store(1, std::memory_order_release);
  if (stepTimer_) stepTimer_->Interrupt();
}

void ButtonActionHandover::RequestRelease() {
  std::lock_guard lock(mutex_);
  releaseRequested_ = true;
  wake_.notify_one();
}

ButtonActionHandover::Wake ButtonActionHandover::WaitForAction(std::uint8_t& eventCode, std::uint8_t& levelByte) {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return shutdown_ || releaseRequested_ || pending_.load(std::memory_order_acquire) != 0; });
  if (shutdown_) return Wake::End;
  if (releaseRequested_) {
    releaseRequested_ = false;
    return Wake::Release;
  }
  eventCode = pendingEventCode_.load(std::memory_order_relaxed);
  levelByte = pendingLevelByte_.load(std::memory_order_relaxed);
  return Wake::Action;
}

MissedPresses ButtonActionHandover::FinishAction() {
  std::lock_guard lock(mutex_);
  MissedPresses missed;
  // Oldest first: at most one per button, so a pass per rank suffices.
  for (std::uint32_t rank = 1; rank <= missedCount_; ++rank) {
    for (std::size_t button = 0; button < missedOrder_.size(); ++button) {
      if (missedOrder_[button] != rank) continue;
      missed.presses[missed.count++] = {static_cast<std::uint8_t>(kButtonEventBase + 1 + button), missedLevel_[button]};
    }
  }
  missedOrder_.fill(0);
  missedCount_ = 0;
  pending_.store(0, std::memory_order_release);
  stopRequest_.store(0, std::memory_order_release);
  return missed;
}

void ButtonActionHandover::Shutdown() {
  std::lock_guard lock(mutex_);
  shutdown_ = true;
  if (pending_.load(std::memory_order_relaxed) != 0) stopRequest_.store(1, std::memory_order_release);
  // Closed, not interrupted: a playback that begins after this still ends at once.
  if (stepTimer_) stepTimer_->Close();
  wake_.notify_all();
}

std::int32_t UserMacroRepetitions(const MacroRecord& macro, std::int32_t macroMode2) {
  if (macroMode2 != 0) return kHeldMacroRepetitions;
  return macro.repeatMode == 0 ? 1 : macro.repeatCount;
}

void ButtonActionWorker::Run() {
  std::uint8_t code = 0, level = 0;
  for (;;) {
    switch (handover_.WaitForAction(code, level)) {
      case ButtonActionHandover::Wake::End:
        return;
      case ButtonActionHandover::Wake::Release:
        mouse_.ReleaseAll();
        break;
      case ButtonActionHandover::Wake::Action:
        CarryOut(code, level);
        FollowMissedLevels(handover_.FinishAction());
        break;
    }
  }
}

void ButtonActionWorker::CarryOut(std::uint8_t eventCode, std::uint8_t levelByte) {
  ConfigRecord& config = context_.config;
  for (int slot = 0; slot < kButtonSlots; ++slot) {
    if (kButtonEventBase + kButtonCodes[slot] != eventCode) continue;
    if (config.dpiButtonFlag[slot] != 0) {
      config.DPI_LEVEL = levelByte;
      context_.repaint.RepaintWholeWindow();
      // Before the file write, which can take a while: the news is only queued.
      if (context_.notices) context_.notices->DpiLevelChanged(levelByte);
      SaveCurrentDpiLevel(context_.files, context_.configFile, context_.currentConfig.load(), config);
    }
    if (config.rateButtonFlag[slot] != 0) {
      const std::uint8_t step = config.USB_SPEED.load();
      config.USB_SPEED = NextReportRateStep(step);
      context_.repaint.RepaintWholeWindow();
      if (context_.notices) context_.notices->ReportRateChanged(config.USB_SPEED.load());
      SaveReportRateStep(context_.files, context_.configFile, context_.currentConfig.load(), config);
    }
    ActOnFunction(config.K[slot]);
  }
}

void ButtonActionWorker::FollowMissedLevels(const MissedPresses& missed) {
  ConfigRecord& config = context_.config;
  bool followed = false;
  for (std::size_t i = 0; i < missed.count; ++i) {
    for (int slot = 0; slot < kButtonSlots; ++slot) {
      if (kButtonEventBase + kButtonCodes[slot] != missed.presses[i].eventCode || config.dpiButtonFlag[slot] == 0)
        continue;
      config.DPI_LEVEL = missed.presses[i].levelByte;
      followed = true;
    }
  }
  if (!followed) return;
  context_.repaint.RepaintWholeWindow();
  SaveCurrentDpiLevel(context_.files, context_.configFile, context_.currentConfig.load(), config);
}

void ButtonActionWorker::ActOnFunction(std::int32_t f) {
  switch (HostActionOf(f)) {
    case HostAction::UserMacro: {
      const MacroRecord macro = UserMacroForPlayback(context_.macros, MacroSlotOf(f));
      PlayMacro(macro, UserMacroRepetitions(macro, context_.config.MACRO_MODE2));
      break;
    }
    case HostAction::ConstantMacro:
      PlayMacro(ConstantMacroForPlayback(context_.macros, MacroSlotOf(f)), 1);
      break;
    case HostAction::ConsumerKey:
      mouse_.SendConsumerUsage(ConsumerUsage(f));
      break;
    case HostAction::Calculator:
      programs_.StartSystemProgram(u"calc.exe");
      break;
    case HostAction::CommandPrompt:
      programs_.StartSystemProgram(u"cmd.exe");
      break;
    case HostAction::DpiButton:   // followed through the slot's flags, set by the download
    case HostAction::RateButton:
    case HostAction::None:
      break;
  }
}

void ButtonActionWorker::PlayMacro(const MacroRecord& macro, std::int32_t repetitions) {
  if (repetitions <= 0) return;
  // eventCount is a byte and the arrays hold 255 entries, so a count from a
  // bad file cannot index past them.
  const std::size_t steps = std::min<std::size_t>(macro.eventCount, macro.events.size());
  timer_.BeginPlayback();
  bool cutShort = false;
  for (std::int32_t repetition = 0; repetition < repetitions && !cutShort; ++repetition) {
    for (std::size_t k = 0; k < steps && !cutShort; ++k) {
      mouse_.SendKeyEvent(macro.events[k].key, macro.events[k].action);
      cutShort = !timer_.Wait(std::max<std::uint32_t>(macro.delays[k], kShortestStepMs));
    }
    mouse_.ReleaseAll();
    if (handover_.StopRequested()) break;
  }
  timer_.EndPlayback();
}

}  // namespace zr
