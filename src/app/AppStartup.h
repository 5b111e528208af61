// Instance initialisation of the application object.
#pragma once

#include "platform/ProcessServices.h"

namespace zr {

// Lets one instance per logon run the main dialog; a second start restores
// the first instance's window and ends. Always false: the process ends when
// this returns.
bool InitInstance(ProcessServices& process);

}  // namespace zr
