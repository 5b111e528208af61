#include "platform/win32/CancellableRead.h"

#include <array>

namespace zr {

ReadEnd ReadEndOfError(DWORD error) {
  switch (error) {
    case ERROR_OPERATION_ABORTED:  // CancelIoEx, or the thread that started it ended
      return ReadEnd::Cancelled;
    case ERROR_DEVICE_NOT_CONNECTED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_DEVICE:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_HANDLE:
      return ReadEnd::DeviceGone;
    default:
      return ReadEnd::Failed;
  }
}

CancellableRead::CancellableRead()
    : done_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), cancel_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

InputRead CancellableRead::Read(HANDLE file, std::span<std::uint8_t> buffer) {
  if (!done_ || !cancel_) return InputRead::Ended(ReadEnd::Failed);
  // A cancel that came before this read ends it before it starts.
  if (::WaitForSingleObject(cancel_.get(), 0) == WAIT_OBJECT_0) return InputRead::Ended(ReadEnd::Cancelled);

  OVERLAPPED overlapped{};
  overlapped.hEvent = done_.get();
  ::ResetEvent(done_.get());
  DWORD transferred = 0;
  if (!::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr, &overlapped)) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_IO_PENDING) return InputRead::Ended(ReadEndOfError(error));
    const std::array<HANDLE, 2> waits = {done_.get(), cancel_.get()};
    const DWORD woken = ::WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, INFINITE);
    if (woken != WAIT_OBJECT_0) {
      ::CancelIoEx(file, &overlapped);
      // The system owns `overlapped` and the buffer until the read has ended.
      ::GetOverlappedResult(file, &overlapped, &transferred, TRUE);
      return InputRead::Ended(woken == WAIT_OBJECT_0 + 1 ? ReadEnd::Cancelled : ReadEnd::Failed);
    }
  }
  if (!::GetOverlappedResult(file, &overlapped, &transferred, TRUE))
    return InputRead::Ended(ReadEndOfError(::GetLastError()));
  return InputRead::Of(static_cast<std::size_t>(transferred));
}

void CancellableRead::Cancel() {
  if (cancel_) ::SetEvent(cancel_.get());
}

}  // namespace zr
