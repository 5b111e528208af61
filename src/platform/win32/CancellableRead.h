// A read on a handle opened for overlapped I/O that another thread can end:
// the read waits for its data or for the cancel event, whichever comes first.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/HidBus.h"
#include "platform/win32/Handles.h"

namespace zr {

class CancellableRead {
 public:
  CancellableRead();
  CancellableRead(const CancellableRead&) = delete;
  CancellableRead& operator=(const CancellableRead&) = delete;

  // The bytes read, or why there are none: cancelled, the device gone, or
  // another error.
  InputRead Read(HANDLE file, std::span<std::uint8_t> buffer);
  // Ends the read in progress or, when none is, the next one.
  void Cancel();

 private:
  UniqueKernelHandle done_;    // manual reset, one per read
  UniqueKernelHandle cancel_;  // auto reset: one cancel ends one read
};

// How a read that failed with `error` ended, from the reader's point of view.
ReadEnd ReadEndOfError(DWORD error);

}  // namespace zr
