// The shipped build of the utility talks to the system's HID; the virtual
// build links virtual_mouse/program/VirtualProgramHidBus.cpp instead.
#include "platform/ProgramHidBus.h"
#include "platform/win32/Win32HidBus.h"

namespace zr {

HidBus& ProgramHidBus() {
  static Win32HidBus bus;
  return bus;
}

}  // namespace zr
