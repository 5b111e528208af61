// The one thing placement asks of the system: the work area (the monitor
// without the taskbar and docked bars) of the monitor a rectangle is on.
#pragma once

#include <windows.h>

#include "skin/ScreenPlacement.h"

namespace zr {

// The monitor nearest the rectangle; the primary work area if the system
// cannot say, so a placement always has an area to keep to.
ScreenArea MonitorWorkArea(const ScreenArea& around);
ScreenArea MonitorWorkArea(HWND window);

}  // namespace zr
