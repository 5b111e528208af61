#include "skin/WorkArea_win.h"

#include <algorithm>
#include <limits>

namespace zr {
namespace {

LONG ToLong(std::int64_t value) {
  return static_cast<LONG>(std::clamp<std::int64_t>(value, std::numeric_limits<LONG>::min(),
                                                    std::numeric_limits<LONG>::max()));
}

ScreenArea WorkAreaOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  RECT work{};
  if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info)) {
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
      work = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  } else {
    work = info.rcWork;
  }
  return {work.left, work.top, work.right, work.bottom};
}

}  // namespace

ScreenArea MonitorWorkArea(const ScreenArea& around) {
  const RECT rect{ToLong(around.left), ToLong(around.top), ToLong(around.right), ToLong(around.bottom)};
  return WorkAreaOf(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
}

ScreenArea MonitorWorkArea(HWND window) { return WorkAreaOf(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)); }

}  // namespace zr
