// The colour page's LED preview worker: the sequence of each LED mode with
// the waits scripted, the worker thread started once and stopped in its sleep,
// and the hand-over between a worker that ends and a page switch that starts one.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "skin/ColourPreview.h"

namespace zr::test {
namespace {

using std::chrono::milliseconds;

class CountingRepaint final : public WindowRepaint {
 public:
  void RepaintWholeWindow() override { ++count; }
  std::atomic<int> count{0};
};

// What the preview showed at each wait, and how long the worker asked to wait.
struct Shown {
  milliseconds wait;
  std::uint8_t grey;
  std::int32_t index;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << "{" << s.wait.count() << " ms, grey " << int(s.grey) << ", index " << s.index << "}";
}

class ScriptedWaits final : public PreviewWaits {
 public:
  explicit ScriptedWaits(const ColourPreviewState& preview) : preview_(preview) {}
  bool Wait(milliseconds duration) override {
    shown.push_back({duration, preview_.grey.load(), preview_.index.load()});
    if (shown.size() >= kMaxWaits) return false;  // a worker that never ends fails the test instead of hanging it
    return duringWait ? duringWait(shown.size()) : true;
  }
  static constexpr std::size_t kMaxWaits = 100;
  std::function<bool(std::size_t)> duringWait;  // given the wait's number from 1; false cancels it
  std::vector<Shown> shown;

 private:
  const ColourPreviewState& preview_;
};

class ColourPreview : public ::testing::Test {
 protected:
  ColourPreview() { ui.currentPage = Page::Colour; }

  // Runs the worker's body until the script leaves the page after wait `leaveAt`.
  std::vector<Shown> Run(std::uint8_t ledMode, std::int32_t level, std::size_t leaveAt,
                         std::function<void(std::size_t)> alsoDuringWait = {}) {
    config.sentLedMode = ledMode;
    config.DPI_LEVEL = level;
    ScriptedWaits waits(preview);
    waits.duringWait = [&](std::size_t n) {
      if (alsoDuringWait) alsoDuringWait(n);
      if (n == leaveAt) ui.currentPage = Page::Main;
      return true;
    };
    RunColourPreview(shared, waits);
    EXPECT_LT(waits.shown.size(), ScriptedWaits::kMaxWaits) << "the worker did not end after the page changed";
    return waits.shown;
  }

  UiState ui;
  ConfigRecord config;
  ColourPreviewState preview;
  CountingRepaint repaint;
  ColourPreviewShared shared{ui, config, preview, repaint};
};

TEST_F(ColourPreview, ModesZeroAndOneAlternateGreyAndTheNextColourAtTheirPace) {
  const std::vector<Shown> mode0 = Run(0, 1, 5);
  const std::vector<Shown> expected0 = {
      {milliseconds(1200), 1, 2}, {milliseconds(1200), 0, 2}, {milliseconds(1200), 1, 3},
      {milliseconds(1200), 0, 3}, {milliseconds(1200), 1, 0},  // 3 wraps to 0
  };
  EXPECT_EQ(mode0, expected0);
  EXPECT_EQ(repaint.count, 5);  // one per pass; the pass that finds the page changed is the last

  ui.currentPage = Page::Colour;
  preview.grey = 0;
  const std::vector<Shown> mode1 = Run(1, 3, 3);
  const std::vector<Shown> expected1 = {{milliseconds(800), 1, 0}, {milliseconds(800), 0, 0}, {milliseconds(800), 1, 1}};
  EXPECT_EQ(mode1, expected1);
}

TEST_F(ColourPreview, ModesTwoAndThreeFollowTheCurrentLevelInColourOrGrey) {
  // The level changes under the worker, as a DPI button press makes it.
  const std::vector<Shown> mode3 = Run(3, 0, 3, [&](std::size_t n) { config.DPI_LEVEL = int(n); });
  const std::vector<Shown> expected3 = {{milliseconds(1200), 1, 0}, {milliseconds(1200), 1, 1}, {milliseconds(1200), 1, 2}};
  EXPECT_EQ(mode3, expected3);

  ui.currentPage = Page::Colour;
  const std::vector<Shown> mode2 = Run(2, 2, 2, [&](std::size_t) { config.DPI_LEVEL = 1; });
  const std::vector<Shown> expected2 = {{milliseconds(1200), 0, 2}, {milliseconds(1200), 0, 1}};
  EXPECT_EQ(mode2, expected2);
}

TEST_F(ColourPreview, ANewLevelShowsItsColourForTwoSecondsBeforeTheSequenceGoesOn) {
  const std::vector<Shown> shown = Run(0, 0, 5, [&](std::size_t n) {
    if (n == 2) config.DPI_LEVEL = 2;
  });
  const std::vector<Shown> expected = {
      {milliseconds(1200), 1, 1}, {milliseconds(1200), 0, 1},
      {milliseconds(2000), 0, 2}, {milliseconds(1200), 0, 2},  // the new level's colour, held
      {milliseconds(1200), 1, 3},
  };
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(repaint.count, 5);  // four passes, one of them asking twice
}

TEST_F(ColourPreview, ACancelledWaitEndsTheWorkerAtOnce) {
  for (std::size_t cancelAt : {1u, 3u}) {
    SCOPED_TRACE(cancelAt);
    config.DPI_LEVEL = 0;
    ScriptedWaits waits(preview);
    waits.duringWait = [&](std::size_t n) {
      if (n == 2) config.DPI_LEVEL = 1;  // the third wait is the long one
      return n != cancelAt;
    };
    RunColourPreview(shared, waits);
    EXPECT_EQ(waits.shown.size(), cancelAt);
    EXPECT_EQ(ui.currentPage.load(), Page::Colour);
  }
}

TEST(ColourPreviewThreaded, ACancelEndsAWaitUnderWayAndEveryLaterOneUntilReset) {
  CancellableWaits waits;
  bool result = true;
  std::thread waiter([&] {
    result = waits.Wait(std::chrono::seconds(30));  // a cancel that does not wake it fails below, late
  });
  waits.Cancel();
  waiter.join();
  EXPECT_FALSE(result);
  EXPECT_FALSE(waits.Wait(std::chrono::seconds(30)));
  waits.Reset();
  EXPECT_TRUE(waits.Wait(milliseconds(1)));
}

TEST(ColourPreviewThreaded, TheWorkerRunsOnceAtATimeAndStopsInItsSleep) {
  UiState ui;
  ui.currentPage = Page::Colour;
  ConfigRecord config;
  ColourPreviewState preview;
  CountingRepaint repaint;
  ColourPreviewWorker worker({ui, config, preview, repaint});

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    const int before = repaint.count;
    ASSERT_TRUE(ClaimColourPreview(preview));
    worker.StartClaimed();
    EXPECT_EQ(preview.running.load(), 1);
    EXPECT_FALSE(ClaimColourPreview(preview));  // the page entered again: no second worker
    // The first pass asks for a repaint, then sleeps 1200 ms.
    for (int k = 0; k < 5000 && repaint.count == before; ++k) std::this_thread::sleep_for(milliseconds(1));
    ASSERT_EQ(repaint.count, before + 1);
    worker.Stop();
    // Had the sleep run out, the page still being the colour page would have made a second pass.
    EXPECT_EQ(repaint.count, before + 1);
    EXPECT_EQ(preview.running.load(), 0);
  }
}

TEST(ColourPreviewHandover, AClaimWhileAWorkerRunsKeepsThatWorkerForOneMoreLook) {
  ColourPreviewState preview;
  EXPECT_TRUE(ClaimColourPreview(preview));  // nobody runs: the caller starts one
  EXPECT_FALSE(ClaimColourPreview(preview));
  EXPECT_FALSE(ClaimColourPreview(preview));
  EXPECT_EQ(preview.running.load(), kPreviewRevisited);
  EXPECT_FALSE(EndColourPreview(preview));  // the page came back after the worker looked
  EXPECT_EQ(preview.running.load(), kPreviewRunning);
  EXPECT_TRUE(EndColourPreview(preview));
  EXPECT_EQ(preview.running.load(), kPreviewIdle);
  EXPECT_TRUE(ClaimColourPreview(preview));
}

// Passes go by in a millisecond; the first time the worker finds the page
// left, it stops right there until the test lets it go on.
class RacedWaits final : public PreviewWaits {
 public:
  bool Wait(milliseconds) override {
    std::this_thread::sleep_for(milliseconds(1));
    return ++waits < kMaxWaits;  // a worker that never ends fails the test instead of hanging it
  }
  void PageLeft() override {
    std::unique_lock lock(mutex_);
    if (held_) return;
    held_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return released_; });
  }
  bool WaitUntilHeld() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return held_; });
  }
  void Release() {
    {
      std::lock_guard lock(mutex_);
      released_ = true;
    }
    changed_.notify_all();
  }
  static constexpr int kMaxWaits = 20000;
  std::atomic<int> waits{0};

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool held_ = false;
  bool released_ = false;
};

TEST(ColourPreviewThreaded, ThePageEnteredAsTheWorkerDecidesToEndIsNeverLeftWithoutOne) {
  UiState ui;
  ConfigRecord config;
  ColourPreviewState preview;
  CountingRepaint repaint;
  const ColourPreviewShared shared{ui, config, preview, repaint};
  RacedWaits waits;

  ui.currentPage = Page::Colour;
  ASSERT_TRUE(ClaimColourPreview(preview));
  std::atomic<bool> endedByItself{false}, finished{false};
  std::thread worker([&] {
    endedByItself = RunColourPreview(shared, waits);
    finished = true;
  });

  // Leave the page, and come back the instant the worker has found it left.
  ui.currentPage = Page::Main;
  ASSERT_TRUE(waits.WaitUntilHeld());
  ui.currentPage = Page::Colour;
  const bool startedAnother = ClaimColourPreview(preview);
  waits.Release();

  // Either this claim starts a worker or the old one carries on; here the
  // old one still holds the flag, so it must carry on.
  EXPECT_FALSE(startedAnother);
  const int seen = waits.waits;
  for (int k = 0; k < 10000 && !finished && waits.waits < seen + 5; ++k) std::this_thread::sleep_for(milliseconds(1));
  EXPECT_FALSE(finished) << "the preview stands still on the colour page";
  EXPECT_NE(preview.running.load(), kPreviewIdle);

  ui.currentPage = Page::Main;
  worker.join();
  EXPECT_TRUE(endedByItself);
  EXPECT_LT(waits.waits, RacedWaits::kMaxWaits);
  EXPECT_EQ(preview.running.load(), kPreviewIdle);
  EXPECT_TRUE(ClaimColourPreview(preview));  // the next visit starts one again
}

}  // namespace
}  // namespace zr::test
