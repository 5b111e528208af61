// The platform's step timer (the portable one natively, the waitable timer
// under Wine): a step of a file's length ends at once when playback is
// interrupted or the worker is stopped.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/StepTimer.h"
#include "shared/Bounded.h"

namespace zr::test {
namespace {

TEST(StepTimerThreaded, AStopEndsASixtySecondStep) {
  auto timer = MakeSystemStepTimer();
  timer->BeginPlayback();
  std::atomic<int> result{-1};
  std::thread worker([&] { result = timer->Wait(60000) ? 1 : 0; });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  timer->Close();
  // Generous: the point is seconds against a minute, not the milliseconds.
  WithinBound("a closed 60 s wait", [&] { worker.join(); });
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(timer->Wait(15));  // closed for good, even across playbacks
  timer->BeginPlayback();
  EXPECT_FALSE(timer->Wait(15));
  timer->EndPlayback();
}

TEST(StepTimerThreaded, AnInterruptEndsOnlyThePlaybackInProgress) {
  auto timer = MakeSystemStepTimer();
  timer->BeginPlayback();
  std::atomic<int> result{-1};
  std::thread worker([&] { result = timer->Wait(60000) ? 1 : 0; });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  timer->Interrupt();
  WithinBound("an interrupted 60 s wait", [&] { worker.join(); });
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(timer->Wait(15));
  timer->EndPlayback();

  timer->BeginPlayback();
  EXPECT_TRUE(timer->Wait(15));  // the next playback waits its steps again
  timer->EndPlayback();
}

}  // namespace
}  // namespace zr::test
