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

void RunColourPreview(const ColourPreviewShared& shared, PreviewWaits& waits) {
  ColourPreviewState& preview = shared.preview;
  std::int32_t remembered = shared.config.DPI_LEVEL.load();
  preview.index = remembered;
  do {
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
      if (!waits.Wait(kPreviewLevelHold)) return;
    } else if (preview.grey.load() != 0) {
      preview.grey = 0;
    } else {
      preview.grey = 1;
      const std::int32_t index = preview.index.load();
      preview.index = index >= 0 && index < 3 ? index + 1 : 0;
    }
    shared.repaint.RepaintWholeWindow();
    if (!waits.Wait(mode == 1 ? kPreviewStepFast : kPreviewStep)) return;
  } while (shared.ui.currentPage.load() == Page::Colour);
}

bool ColourPreviewWorker::StartIfIdle() {
  if (shared_.preview.running.exchange(1) != 0) return false;
  StartClaimed();
  return true;
}

void ColourPreviewWorker::StartClaimed() {
  // A worker that cleared the flag is at its end; take it back before the next.
  if (thread_.joinable()) thread_.join();
  waits_.Reset();
  thread_ = std::thread([this] {
    RunColourPreview(shared_, waits_);
    shared_.preview.running = 0;
  });
}

void ColourPreviewWorker::Stop() {
  waits_.Cancel();
  if (thread_.joinable()) thread_.join();
}

}  // namespace zr
