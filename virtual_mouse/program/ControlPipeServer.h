// The server end of the virtual mouse's control channel: a named pipe that
// takes one request line per connection, runs it on the mouse and answers
// with the reply the client prints. One client at a time; others wait for
// the pipe as the system lets them.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

#include "platform/win32/Handles.h"
#include "virtual_mouse/VirtualMouse.h"

namespace zr::virtual_mouse {

class ControlPipeServer {
 public:
  ControlPipeServer(VirtualMouse& mouse, std::u16string pipeName);
  // Ends a wait for a client or a client's request at once and joins.
  ~ControlPipeServer();
  ControlPipeServer(const ControlPipeServer&) = delete;
  ControlPipeServer& operator=(const ControlPipeServer&) = delete;

  // False when the pipe could not be made, for example because another
  // process serves that name already.
  bool Serving() const { return static_cast<bool>(pipe_); }

 private:
  void Run();
  void ServeOneClient();
  // Waits for an overlapped operation on the pipe; false when it failed,
  // timed out or the server is stopping (the operation is cancelled then).
  bool Finish(BOOL started, OVERLAPPED& overlapped, DWORD& bytes, DWORD timeoutMs);

  VirtualMouse& mouse_;
  UniqueFileHandle pipe_;
  UniqueKernelHandle ioDone_;
  UniqueKernelHandle stop_;
  std::thread thread_;
};

}  // namespace zr::virtual_mouse
