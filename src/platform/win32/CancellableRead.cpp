#include "platform/win32/CancellableRead.h"

#include <array>

namespace zr {

CancellableRead::CancellableRead()
    : done_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), cancel_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

std::optional<std::size_t> CancellableRead::Read(HANDLE file, std::span<std::uint8_t> buffer) {
  if (!done_ || !cancel_) return std::nullopt;
  // A cancel that came before this read ends it before it starts.
  if (::WaitForSingleObject(cancel_.get(), 0) == WAIT_OBJECT_0) return std::nullopt;

  OVERLAPPED overlapped{};
  overlapped.hEvent = done_.get();
  ::ResetEvent(done_.get());
  DWORD transferred = 0;
  if (!::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr, &overlapped)) {
    if (::GetLastError() != ERROR_IO_PENDING) return std::nullopt;
    const std::array<HANDLE, 2> waits = {done_.get(), cancel_.get()};
    const DWORD woken = ::WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, INFINITE);
    if (woken != WAIT_OBJECT_0) {
      ::CancelIoEx(file, &overlapped);
      // The system owns `overlapped` and the buffer until the read has ended.
      ::GetOverlappedResult(file, &overlapped, &transferred, TRUE);
      return std::nullopt;
    }
  }
  if (!::GetOverlappedResult(file, &overlapped, &transferred, TRUE)) return std::nullopt;
  return static_cast<std::size_t>(transferred);
}

void CancellableRead::Cancel() {
  if (cancel_) ::SetEvent(cancel_.get());
}

}  // namespace zr
