// The reader and worker react to the mouse within milliseconds, so they run
// above the interface's priority.
#pragma once

namespace zr {

// Raises the calling thread to the highest normal priority (Windows:
// THREAD_PRIORITY_HIGHEST). Elsewhere it does nothing: an unprivileged
// process may not raise itself.
void RaiseCurrentThreadPriority();

}  // namespace zr
