// Without Windows the threads keep their priority: an unprivileged process
// may not raise itself.
#include "platform/ThreadPriority.h"

namespace zr {
void RaiseCurrentThreadPriority() {}
}  // namespace zr
