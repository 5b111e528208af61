// The virtual-mouse build of the utility: the mouse is the model, plugged in
// from the start, with its ways in from outside: the report log, the control
// pipe and the panel.
#include "app/AppPaths.h"
#include "platform/ProgramHidBus.h"
#include "virtual_mouse/Control.h"
#include "virtual_mouse/ReportLog.h"
#include "virtual_mouse/VirtualMouse.h"
#include "virtual_mouse/program/ControlPipeServer.h"
#include "virtual_mouse/program/Panel.h"
#include "virtual_mouse/program/WindowNoticeSender.h"

namespace zr {
namespace {

// Nothing here is ever destroyed: the pipe's, the panel's and the notices'
// threads use the mouse until the process ends them, and none of them may
// hold up the end of the process.
virtual_mouse::VirtualMouse& StartVirtualMouse() {
  auto* mouse = new virtual_mouse::VirtualMouse;
  if (virtual_mouse::ReportLogWriter log = virtual_mouse::ReportLogFromEnvironment()) mouse->LogReportsTo(std::move(log));
  auto* notices = new virtual_mouse::WindowNoticeSender;
  mouse->SetNoticeOutlet(notices->Outlet());
  new virtual_mouse::ControlPipeServer(*mouse, virtual_mouse::ControlPipeName());
  virtual_mouse::StartPanel(*mouse, std::u16string(kMainWindowTitle));
  return *mouse;
}

}  // namespace

HidBus& ProgramHidBus() {
  static virtual_mouse::VirtualMouse& mouse = StartVirtualMouse();
  return mouse;
}

}  // namespace zr
