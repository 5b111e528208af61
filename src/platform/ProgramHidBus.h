// The HID bus the program talks to. Chosen at link time: the shipped build
// links the system's HID, the virtual-mouse build links the virtual mouse.
// Only the program's start-up asks for it; everything else is handed a bus.
#pragma once

#include "platform/HidBus.h"

namespace zr {

HidBus& ProgramHidBus();

}  // namespace zr
