#include "platform/ThreadPriority.h"

#ifndef _WIN32
namespace zr {
void RaiseCurrentThreadPriority() {}
}  // namespace zr
#endif
