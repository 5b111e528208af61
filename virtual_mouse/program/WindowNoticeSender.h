// Hands the virtual mouse's device-change notices to their windows as the
// system does: WM_DEVICECHANGE with a DEV_BROADCAST_DEVICEINTERFACE_W, handled
// on the window's own thread. The message carries a pointer, which the system
// refuses to post, so it is sent; the sending happens on a thread of its own
// so that whoever plugs or unplugs never waits for the window's thread (which
// may be running the exit procedure at that very moment).
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "virtual_mouse/VirtualMouse.h"

namespace zr::virtual_mouse {

class WindowNoticeSender {
 public:
  WindowNoticeSender();
  // Stops after the notice being sent. A window still waiting for one must
  // be gone or its thread handling messages, or this waits with it.
  ~WindowNoticeSender();
  WindowNoticeSender(const WindowNoticeSender&) = delete;
  WindowNoticeSender& operator=(const WindowNoticeSender&) = delete;

  // Queues the notice and returns at once; notices are sent in order.
  void Raise(RaisedNotice notice);
  // For the mouse: an outlet that raises through this sender.
  NoticeOutlet Outlet();

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<RaisedNotice> queue_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace zr::virtual_mouse
