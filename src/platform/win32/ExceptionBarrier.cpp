#include "platform/win32/ExceptionBarrier.h"

#include <windows.h>

#include <atomic>
#include <exception>
#include <iterator>

namespace zr {
namespace {

std::atomic<ExceptionRecorder> recorder{nullptr};

// Appends narrow text (UTF-8, as what() usually is) without allocating: the
// exception may well be std::bad_alloc.
std::size_t Append(wchar_t* line, std::size_t used, std::size_t capacity, const char* text) {
  if (text == nullptr || used + 1 >= capacity) return used;
  const int written = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, line + used, static_cast<int>(capacity - used));
  if (written > 0) return used + static_cast<std::size_t>(written) - 1;  // without its terminator
  // Not valid UTF-8, or too long for the rest of the line: byte by byte, cut short.
  while (*text != '\0' && used + 1 < capacity) line[used++] = static_cast<unsigned char>(*text++);
  line[used] = L'\0';
  return used;
}

}  // namespace

ExceptionRecorder SetExceptionRecorder(ExceptionRecorder replacement) noexcept { return recorder.exchange(replacement); }

void RecordCaughtException(const char* procedure) noexcept {
  const char* what = "an exception that is not a std::exception";
  try {
    throw;
  } catch (const std::exception& caught) {
    what = caught.what();
  } catch (...) {
  }
  wchar_t line[512];
  line[0] = L'\0';
  std::size_t used = Append(line, 0, std::size(line) - 1, "ZR305: exception stopped in the ");
  used = Append(line, used, std::size(line) - 1, procedure);
  used = Append(line, used, std::size(line) - 1, ": ");
  used = Append(line, used, std::size(line) - 1, what);
  line[used] = L'\n';
  line[used + 1] = L'\0';
  if (ExceptionRecorder record = recorder.load()) {
    record(line);
  } else {
    ::OutputDebugStringW(line);
  }
}

}  // namespace zr
