#include "skin/ColourPreview.h"

namespace zr {

bool CancellableWaits::Wait(std::chrono::milliseconds duration) {
  std::unique_lock lock(mutex_);
  return !wake_.wait_for(lock, duration, [this] { return cancelled_; });
}

void CancellableWaits::Cancel() {
  {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
  }
  wake_.notify_all();
}

void CancellableWaits::Reset() {
  std::lock_guard lock(mutex_);
  cancelled_ = false;
}

bool ClaimColourPreview(ColourPreviewState& preview) {
  std::uint8_t seen = preview.running.load();
  for (;;) {
    const std::uint8_t next = seen == kPreviewIdle ? kPreviewRunning : kPreviewRevisited;
    if (preview.running.compare_exchange_weak(seen, next)) return seen == kPreviewIdle;
  }
}

bool EndColourPreview(ColourPreviewState& preview) {
  std::uint8_t seen = kPreviewRunning;
  if (preview.running.compare_exchange_strong(seen, kPreviewIdle)) return true;
  // Idle: a body run without a claim has nothing to hand back.
  if (seen == kPreviewIdle) return true;
  // Only the worker lowers the mark, and the page switch never changes it
  // from here, so this cannot undo a later claim.
  preview.running.store(kPreviewRunning);
  return false;
}

bool RunColourPreview(const ColourPreviewShared& shared, PreviewWaits& waits) {
  ColourPreviewState& preview = shared.preview;
  std::int32_t remembered = shared.config.DPI_LEVEL.load();
  preview.index = remembered;
  for (;;) {
    const std::uint8_t mode = shared.config.sentLedMode.load();
    const std::int32_t level = shared.config.DPI_LEVEL.load();
    if (mode == 3) {
      preview.grey = 1;
      preview.index = level;
    } else if (mode == 2) {
      preview.grey = 0;
      preview.index = level;
    } else if (level != remembered) {
      // A DPI button was pressed: show the new level's colour for a while.
      preview.index = level;
      preview.grey = 0;
      shared.repaint.RepaintWholeWindow();
      remembered = level;
      if (!waits.Wait(kPreviewLevelHold)) return false;
    } else if (preview.grey.load() != 0) {
      preview.grey = 0;
    } else {
      preview.grey = 1;
      const std::int32_t index = preview.index.load();
      preview.index = index >= 0 && index < 3 ? index + 1 : 0;
    }
    shared.repaint.RepaintWholeWindow();
    if (!waits.Wait(mode == 1 ? kPreviewStepFast : kPreviewStep)) return false;
    if (shared.ui.currentPage.load() == Page::Colour) {
      // Visits this pass has seen need no second look at its end.
      std::uint8_t revisited = kPreviewRevisited;
      preview.running.compare_exchange_strong(revisited, kPreviewRunning);
      continue;
    }
    waits.PageLeft();
    if (EndColourPreview(preview)) return true;
  }
}

void ColourPreviewWorker::StartClaimed() {
  // A worker that cleared the flag is at its end; take it back before the next.
  if (thread_.joinable()) thread_.join();
  waits_.Reset();
  thread_ = std::thread([this] {
    // A worker that ended by itself has given up the flag already, and a
    // claim may have taken it since; only a cancelled one still holds it.
    if (!RunColourPreview(shared_, waits_)) shared_.preview.running = kPreviewIdle;
  });
}

void ColourPreviewWorker::Stop() {
  waits_.Cancel();
  if (thread_.joinable()) thread_.join();
}

}  // namespace zr
