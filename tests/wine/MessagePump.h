// Running a thread's window messages in a test or a timing harness, where
// no message loop of the program's own runs them.
#pragma once

#include <windows.h>

#include <algorithm>

namespace zr::test {

inline void PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

// Runs the thread's messages as they arrive until `done` holds or the time
// is up. It looks at `done` at least every 10 ms, for a state that another
// thread changes without a message.
template <typename Done>
bool PumpUntil(DWORD timeoutMs, Done done) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  for (;;) {
    PumpMessages();
    if (done()) return true;
    const ULONGLONG now = ::GetTickCount64();
    if (now >= end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 10)), QS_ALLINPUT);
  }
}

}  // namespace zr::test
