#include "virtual_mouse/program/WindowNoticeSender.h"

#include <windows.h>

extern "C" {
#include <hidsdi.h>
}

#include <vector>

#include "platform/win32/DeviceBroadcast.h"

namespace zr::virtual_mouse {

WindowNoticeSender::WindowNoticeSender() : thread_([this] { Run(); }) {}

WindowNoticeSender::~WindowNoticeSender() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void WindowNoticeSender::Raise(RaisedNotice notice) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(notice));
  }
  wake_.notify_all();
}

NoticeOutlet WindowNoticeSender::Outlet() {
  return [this](RaisedNotice notice) { Raise(std::move(notice)); };
}

void WindowNoticeSender::Run() {
  GUID hidClass{};
  ::HidD_GetHidGuid(&hidClass);
  for (;;) {
    RaisedNotice notice;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      notice = std::move(queue_.front());
      queue_.pop_front();
    }
    // The broadcast lives until the window has handled it: SendMessageW
    // returns only then, or at once for a window that is gone.
    const std::vector<std::byte> broadcast = EncodeDeviceBroadcast(notice.notice, hidClass);
    ::SendMessageW(static_cast<HWND>(notice.window), WM_DEVICECHANGE, notice.eventType,
                   reinterpret_cast<LPARAM>(broadcast.data()));
  }
}

}  // namespace zr::virtual_mouse
