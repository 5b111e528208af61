// The virtual-mouse build of the utility: the mouse is the model, plugged in
// from the start.
#include "platform/ProgramHidBus.h"
#include "virtual_mouse/VirtualMouse.h"

namespace zr {

HidBus& ProgramHidBus() {
  static virtual_mouse::VirtualMouse mouse;
  return mouse;
}

}  // namespace zr
