// Asks for the whole main window to be painted again, background included.
// Callable from any thread: it only queues the request.
#pragma once

namespace zr {

class WindowRepaint {
 public:
  virtual ~WindowRepaint() = default;
  virtual void RepaintWholeWindow() = 0;
};

}  // namespace zr
