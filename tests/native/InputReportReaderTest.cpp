// The reader thread against a device whose reads block until the test
// offers a report, as a real mouse's do.
#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "device/ButtonActionThreads.h"
#include "macros/MacroRecord.h"
#include "platform/IniEngine.h"
#include "shared/Bounded.h"
#include "shared/TestFolder.h"
#include "shared/WatchedReaderWaits.h"

namespace zr {
namespace {

using test::Eventually;
using test::kTestBound;
using test::WithinBound;

class QueuedInputSource final : public InputReportSource {
 public:
  InputRead ReadInputReport(std::span<std::uint8_t> buffer) override {
    std::unique_lock lock(mutex_);
    ++reads_;
    if (!present_) return InputRead::Ended(ReadEnd::NoDevice);  // as the device link does without a mouse
    inRead_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return cancelled_ || failuresToCome_ > 0 || !reports_.empty(); });
    inRead_ = false;
    if (failuresToCome_ > 0) {
      --failuresToCome_;
      return InputRead::Ended(ReadEnd::Failed);
    }
    if (cancelled_) {
      cancelled_ = false;
      return InputRead::Ended(ReadEnd::Cancelled);
    }
    std::vector<std::uint8_t> report = std::move(reports_.front());
    reports_.pop_front();
    const std::size_t n = std::min(report.size(), buffer.size());
    std::copy_n(report.begin(), n, buffer.begin());
    return InputRead::Of(n);
  }
  // The read in progress and the next `count` - 1 fail, the mouse still open.
  void FailNextReads(int count) {
    std::lock_guard lock(mutex_);
    failuresToCome_ = count;
    changed_.notify_all();
  }
  void CancelInputRead() override {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    changed_.notify_all();
  }
  void SetPresent(bool present) {
    std::lock_guard lock(mutex_);
    present_ = present;
    if (!present && inRead_) cancelled_ = true;  // the read of a removed mouse fails
    changed_.notify_all();
  }
  void Offer(std::vector<std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    reports_.push_back(std::move(report));
    changed_.notify_all();
  }
  // Blocks until the reader has handled every offered report and waits
  // in its next read; fails the test instead of hanging.
  void WaitUntilDrained() {
    std::unique_lock lock(mutex_);
    ASSERT_TRUE(changed_.wait_for(lock, kTestBound, [&] { return reports_.empty() && inRead_; }))
        << "the reader never came back to its read";
  }
  int Reads() {
    std::lock_guard lock(mutex_);
    return reads_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::vector<std::uint8_t>> reports_;
  bool present_ = true;
  bool cancelled_ = false;
  bool inRead_ = false;
  int reads_ = 0;
  int failuresToCome_ = 0;
};

class CountingMouse final : public MouseInjection {
 public:
  void SendKeyEvent(std::uint8_t, std::uint8_t) override { ++keys; }
  void ReleaseAll() override { ++releases; }
  void SendConsumerUsage(std::uint16_t usage) override { consumer = usage; }
  std::atomic<int> keys{0}, releases{0};
  std::atomic<std::uint16_t> consumer{0};
};

// Each wait parks the worker until the test lets it go on, so the test
// decides what happens during a step; no step ever ends by time passing.
class GatedTimer final : public StepTimer {
 public:
  void BeginPlayback() override {
    std::lock_guard lock(mutex_);
    interrupted_ = false;
  }
  bool Wait(std::uint32_t) override {
    std::unique_lock lock(mutex_);
    ++waiting_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return permits_ > 0 || interrupted_ || closed_; });
    --waiting_;
    if (interrupted_ || closed_) return false;
    --permits_;
    return true;
  }
  void Interrupt() override {
    std::lock_guard lock(mutex_);
    interrupted_ = true;
    changed_.notify_all();
  }
  void Close() override {
    std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
  }
  void WaitForWorkerInStep() {
    std::unique_lock lock(mutex_);
    ASSERT_TRUE(changed_.wait_for(lock, kTestBound, [this] { return waiting_ > 0; })) << "no step began";
  }
  void Allow(int steps) {
    std::lock_guard lock(mutex_);
    permits_ += steps;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int waiting_ = 0;
  int permits_ = 0;
  bool interrupted_ = false;
  bool closed_ = false;
};


class NoRepaint final : public zr::WindowRepaint {
 public:
  void RepaintWholeWindow() override {}
};

class NoPrograms final : public ProgramStarter {
 public:
  void StartSystemProgram(std::u16string_view) override {}
};

MacroRecord OneKeyMacro(std::uint16_t repetitions) {
  MacroRecord m;
  m.repeatMode = 1;
  m.repeatCount = repetitions;
  m.eventCount = 2;
  m.events[0] = {4, kKeyPress};
  m.events[1] = {4, kKeyRelease};
  return m;
}

class ButtonActionsThreaded : public ::testing::Test {
 protected:
  ButtonActionsThreaded() {
    SetFactoryDefaults(config);
    config.K[3] = 41;  // slot 3 reports 0xF4
    config.K[4] = 24;  // slot 4 reports 0xF5
    macros.macros[0] = OneKeyMacro(1000);
    macros.macroCount = 1;
    threads.Start();
    source.WaitUntilDrained();
  }
  ~ButtonActionsThreaded() override { WithinBound("stopping the threads", [this] { threads.Stop(); }); }
  void WaitUntilIdle() { ASSERT_TRUE(Eventually([this] { return !handover.Pending(); })) << "the worker stayed busy"; }

  CountingMouse mouse;
  GatedTimer timer;
  NoPrograms programs;
  NoRepaint noRepaint;
  ConfigRecord config;
  MacroTables macros;
  PortableProfileFiles files;
  test::TestFolder folder;
  std::atomic<std::int32_t> current{1};
  ButtonActionHandover handover;
  ButtonActionWorker worker{{config, macros, files, folder.Path(u"config.ini"), current, noRepaint},
                            handover,
                            mouse,
                            timer,
                            programs};
  QueuedInputSource source;
  test::WatchedReaderWaits waits;
  InputReportReader reader{source, handover, config.MACRO_MODE2, waits};
  ButtonActionThreads threads{reader, worker, handover};
};

TEST_F(ButtonActionsThreaded, ReportsReachTheWorkerThroughTheReader) {
  source.Offer({6, 0xF5, 1});
  source.Offer({6, 0xF5, 0x80});
  source.Offer({6});  // too short: ignored
  source.WaitUntilDrained();
  WaitUntilIdle();
  EXPECT_EQ(mouse.consumer, 0x00E9);
}

TEST_F(ButtonActionsThreaded, SecondPressStopsAfterTheRepetitionInProgress) {
  source.Offer({6, 0xF4, 1});
  timer.WaitForWorkerInStep();  // first step of the first repetition
  source.Offer({6, 0xF4, 1});
  source.WaitUntilDrained();
  timer.Allow(1 << 20);
  WaitUntilIdle();
  EXPECT_EQ(mouse.releases, 1);
  EXPECT_EQ(mouse.keys, 2);
}

TEST_F(ButtonActionsThreaded, UnpluggingDuringAMacroEndsItReleased) {
  config.MACRO_MODE2 = 1;  // would play while held, up to 10000 times
  source.Offer({6, 0xF4, 1});
  timer.WaitForWorkerInStep();
  source.SetPresent(false);  // no release report can come now
  reader.InputChanged(false);
  WaitUntilIdle();
  EXPECT_EQ(mouse.releases, 1);

  // Without a mouse the reader waits for it instead of trying again and again.
  ASSERT_TRUE(Eventually([&] { return waits.Parked(); })) << "the reader never waited for the mouse";
  EXPECT_EQ(waits.Pauses(), 0);

  // A mouse plugged in again works as before.
  source.SetPresent(true);
  reader.InputChanged(true);
  source.WaitUntilDrained();
  source.Offer({6, 0xF5, 1});
  source.WaitUntilDrained();
  WaitUntilIdle();
  EXPECT_EQ(mouse.consumer, 0x00E9);
}

TEST_F(ButtonActionsThreaded, FailedReadsWithTheMouseOpenAreRetried) {
  source.FailNextReads(12);  // more than it takes the pause to reach its bound
  source.Offer({6, 0xF5, 1});
  ASSERT_TRUE(Eventually([this] { return mouse.consumer.load() == 0x00E9; })) << "the press was never acted on";
  EXPECT_EQ(reader.FailedReads(), 12u);
}

TEST(RetryPause, DoublesFromTheFirstPauseUpToItsBound) {
  std::chrono::milliseconds pause{0};
  std::vector<long long> pauses;
  for (int i = 0; i < 10; ++i) pauses.push_back((pause = NextRetryPause(pause)).count());
  EXPECT_EQ(pauses, (std::vector<long long>{2, 4, 8, 16, 32, 64, 128, 250, 250, 250}));
}

TEST_F(ButtonActionsThreaded, StopEndsAMacroInTheMiddleOfALongStep) {
  macros.macros[0].delays[0] = 60000;
  source.Offer({6, 0xF4, 1});
  timer.WaitForWorkerInStep();  // no permit ever comes: only Stop can end this step
  WithinBound("Stop in the middle of a 60 s step", [this] { threads.Stop(); });
  EXPECT_EQ(mouse.keys, 1);
  EXPECT_EQ(mouse.releases, 1);
}

TEST_F(ButtonActionsThreaded, UnpluggingEndsTheStepInProgress) {
  source.Offer({6, 0xF4, 1});
  timer.WaitForWorkerInStep();
  source.SetPresent(false);
  reader.InputChanged(false);
  WaitUntilIdle();  // with no permit given, only the interrupt ends the step
  EXPECT_EQ(mouse.keys, 1);
  EXPECT_EQ(mouse.releases, 1);
}

}  // namespace
}  // namespace zr
