// Bounds for the waits of threaded tests: long enough never to be reached by
// a working program, short enough that a broken one fails the run instead of
// hanging it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace zr::test {

inline constexpr std::chrono::seconds kTestBound{10};

// Runs `action` on this thread. A thread that never returns cannot be
// recovered, so when `action` outlasts the bound the run ends at once as a
// failure, naming what hung.
template <typename Action>
void WithinBound(const char* what, Action action, std::chrono::seconds bound = kTestBound) {
  std::mutex mutex;
  std::condition_variable returned;
  bool done = false;
  std::thread watchdog([&] {
    std::unique_lock lock(mutex);
    if (!returned.wait_for(lock, bound, [&] { return done; })) {
      std::fprintf(stderr, "FAILED: %s did not return within %lld s\n", what, static_cast<long long>(bound.count()));
      std::fflush(stderr);
      std::_Exit(1);
    }
  });
  action();
  {
    std::lock_guard lock(mutex);
    done = true;
  }
  returned.notify_all();
  watchdog.join();
}

// Polls `condition` until it holds or the bound passes; false then.
template <typename Condition>
bool Eventually(Condition condition, std::chrono::seconds bound = kTestBound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace zr::test
