// The colour page's LED preview: while the page shows, a worker steps the
// preview through the DPI level colours as the LED mode last sent to the
// mouse would light them, and asks for a repaint after each step.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "config/ConfigRecord.h"
#include "platform/WindowRepaint.h"
#include "skin/UiState.h"

namespace zr {

inline constexpr std::chrono::milliseconds kPreviewLevelHold{2000};  // a new DPI level's colour, at least
inline constexpr std::chrono::milliseconds kPreviewStepFast{800};    // LED mode 1
inline constexpr std::chrono::milliseconds kPreviewStep{1200};       // every other mode

// The worker's waits. A wait ends early, returning false, once the waits are
// cancelled, and every later wait then returns false at once.
class PreviewWaits {
 public:
  virtual ~PreviewWaits() = default;
  virtual bool Wait(std::chrono::milliseconds duration) = 0;
  // The worker has found another page and is about to decide whether to end:
  // the instant a page switch races it. Nothing to do outside tests.
  virtual void PageLeft() {}
};

// Waits on a condition with a deadline, so the exit procedure does not wait
// out a sleep of two seconds.
class CancellableWaits final : public PreviewWaits {
 public:
  bool Wait(std::chrono::milliseconds duration) override;
  void Cancel();
  void Reset();

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool cancelled_ = false;
};

struct ColourPreviewShared {
  const UiState& ui;             // the current page
  const ConfigRecord& config;    // DPI_LEVEL and the LED mode last sent
  ColourPreviewState& preview;   // written here, read by the paint
  WindowRepaint& repaint;
};

inline constexpr std::uint8_t kPreviewIdle = 0;
inline constexpr std::uint8_t kPreviewRunning = 1;
inline constexpr std::uint8_t kPreviewRevisited = 2;

// The page switch, after making the colour page current: true when no worker
// runs, so the caller starts one (the flag is its own now); otherwise the
// running worker is told that the page was entered again.
bool ClaimColourPreview(ColourPreviewState& preview);
// The worker, having found another page current: true when it ends (the flag
// is cleared); false when the page was entered again after it looked, so it
// carries on for that visit. The two decisions are single atomic steps on the
// one flag, so a visit that comes in while a worker winds down is never lost.
bool EndColourPreview(ColourPreviewState& preview);

// The worker's body on the calling thread: pass after pass while the colour
// page shows, ending after the first pass that finds another page (and gives
// up the running flag), or at once when a wait is cancelled (returning false,
// with the flag left to the caller).
bool RunColourPreview(const ColourPreviewShared& shared, PreviewWaits& waits);

// At most one worker at a time, owned here so that the exit procedure can end it.
class ColourPreviewWorker {
 public:
  explicit ColourPreviewWorker(ColourPreviewShared shared) : shared_(shared) {}
  ColourPreviewWorker(const ColourPreviewWorker&) = delete;
  ColourPreviewWorker& operator=(const ColourPreviewWorker&) = delete;
  ~ColourPreviewWorker() { Stop(); }

  // Starts the worker for a running flag that entering the colour page has
  // claimed already (ClaimColourPreview), so one runs at a time.
  void StartClaimed();
  // Ends the worker, interrupting its sleep; returns once it has gone.
  // Interface thread only, like StartClaimed.
  void Stop();

 private:
  ColourPreviewShared shared_;
  CancellableWaits waits_;
  std::thread thread_;
};

}  // namespace zr
