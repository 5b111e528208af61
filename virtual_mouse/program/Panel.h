// The "Virtual mouse" panel of the virtual-mouse build: the mouse's six
// buttons, its cable, and what its firmware holds, for a person trying the
// utility without hardware.
#pragma once

#include <string>

#include "virtual_mouse/VirtualMouse.h"

namespace zr::virtual_mouse {

inline constexpr const wchar_t* kPanelTitle = L"Virtual mouse";

// Starts the panel on a thread of its own, which ends with the process. It
// shows itself beside this process's window titled `mainWindowTitle` once
// that window exists, without taking the foreground; a process that never
// makes that window (a second start) never shows it.
void StartPanel(VirtualMouse& mouse, std::u16string mainWindowTitle);

}  // namespace zr::virtual_mouse
