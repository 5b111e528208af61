#include "virtual_mouse/program/ControlPipeServer.h"

#include <cstdint>
#include <string_view>

#include "platform/win32/WideText.h"
#include "virtual_mouse/Control.h"

namespace zr::virtual_mouse {
namespace {

constexpr DWORD kBufferSize = 4096;
// A client that connects and then says nothing must not keep the others out.
constexpr DWORD kClientTimeoutMs = 2000;

}  // namespace

ControlPipeServer::ControlPipeServer(VirtualMouse& mouse, std::u16string pipeName)
    : mouse_(mouse),
      ioDone_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  // The first instance only: a second utility must not answer for the first.
  pipe_.reset(::CreateNamedPipeW(Wide(pipeName).c_str(),
                                 PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                 PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                 kBufferSize, kBufferSize, 0, nullptr));
  if (pipe_ && ioDone_ && stop_) thread_ = std::thread([this] { Run(); });
}

ControlPipeServer::~ControlPipeServer() {
  if (stop_) ::SetEvent(stop_.get());
  if (thread_.joinable()) thread_.join();
}

bool ControlPipeServer::Finish(BOOL started, OVERLAPPED& overlapped, DWORD& bytes, DWORD timeoutMs) {
  if (!started) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_PIPE_CONNECTED) return true;  // the client came before the wait began
    if (error != ERROR_IO_PENDING) return false;
    const HANDLE waits[] = {overlapped.hEvent, stop_.get()};
    if (::WaitForMultipleObjects(2, waits, FALSE, timeoutMs) != WAIT_OBJECT_0) {
      ::CancelIo(pipe_.get());
      ::GetOverlappedResult(pipe_.get(), &overlapped, &bytes, TRUE);  // the buffer stays ours until then
      return false;
    }
  }
  return ::GetOverlappedResult(pipe_.get(), &overlapped, &bytes, TRUE) != FALSE;
}

void ControlPipeServer::Run() {
  while (::WaitForSingleObject(stop_.get(), 0) != WAIT_OBJECT_0) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = ioDone_.get();
    ::ResetEvent(ioDone_.get());
    DWORD bytes = 0;
    if (Finish(::ConnectNamedPipe(pipe_.get(), &overlapped), overlapped, bytes, INFINITE)) ServeOneClient();
    ::DisconnectNamedPipe(pipe_.get());
  }
}

void ControlPipeServer::ServeOneClient() {
  std::string request;
  char buffer[256];
  while (request.find('\n') == std::string::npos && request.size() <= kMaxRequestLength) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = ioDone_.get();
    ::ResetEvent(ioDone_.get());
    DWORD got = 0;
    if (!Finish(::ReadFile(pipe_.get(), buffer, sizeof buffer, nullptr, &overlapped), overlapped, got,
                kClientTimeoutMs) ||
        got == 0)
      return;
    request.append(buffer, got);
  }

  const ParsedCommand parsed = ParseControlRequest(request.substr(0, request.find('\n') + 1));
  const ControlReply reply = parsed.command ? RunControlCommand(mouse_, *parsed.command) : ControlReply{1, parsed.error};
  // The length first, so the client knows when it has the whole answer and
  // closes its end, rather than both ends waiting for the other to go.
  const std::string body = EncodeReply(reply);
  const auto length = static_cast<std::uint32_t>(body.size());
  std::string wire(reinterpret_cast<const char*>(&length), sizeof length);
  wire += body;
  std::size_t sent = 0;
  while (sent < wire.size()) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = ioDone_.get();
    ::ResetEvent(ioDone_.get());
    DWORD put = 0;
    if (!Finish(::WriteFile(pipe_.get(), wire.data() + sent, static_cast<DWORD>(wire.size() - sent), nullptr,
                            &overlapped),
                overlapped, put, kClientTimeoutMs) ||
        put == 0)
      return;
    sent += put;
  }
  // Waits for the client to close its end, having read everything.
  OVERLAPPED overlapped{};
  overlapped.hEvent = ioDone_.get();
  ::ResetEvent(ioDone_.get());
  DWORD ignored = 0;
  Finish(::ReadFile(pipe_.get(), buffer, sizeof buffer, nullptr, &overlapped), overlapped, ignored, kClientTimeoutMs);
}

}  // namespace zr::virtual_mouse
