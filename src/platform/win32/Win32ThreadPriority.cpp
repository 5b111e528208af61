#include <windows.h>

#include "platform/ThreadPriority.h"

namespace zr {
void RaiseCurrentThreadPriority() { ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_HIGHEST); }
}  // namespace zr
