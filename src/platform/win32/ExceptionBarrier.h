// What stands between every procedure the system calls and the system. An
// exception that unwinds into a frame of the window system's ends the
// process at best; so each procedure runs its body inside a barrier, which
// records what it caught as a debug-output line and answers the system with
// the procedure's own safe default (the default handling, the next hook).
#pragma once

#include <utility>

namespace zr {

// Receives each line a barrier records. The system's debug output unless a
// test has put its own in.
using ExceptionRecorder = void (*)(const wchar_t* line);
// Returns the recorder that was in place; nullptr restores the debug output.
ExceptionRecorder SetExceptionRecorder(ExceptionRecorder recorder) noexcept;

// Only inside a catch handler: records the exception being handled, with
// its what() when it is a std::exception.
void RecordCaughtException(const char* procedure) noexcept;

// The body's answer, or, when the body throws, the fallback's.
template <typename Body, typename Fallback>
auto ExceptionBarrier(const char* procedure, Body&& body, Fallback&& fallback) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    RecordCaughtException(procedure);
  }
  return std::forward<Fallback>(fallback)();
}

// For the procedures that answer nothing (win-event and timer procedures).
template <typename Body>
void ExceptionBarrier(const char* procedure, Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
    RecordCaughtException(procedure);
  }
}

}  // namespace zr
