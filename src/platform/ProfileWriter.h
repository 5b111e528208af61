// Profile writes that put their file in place once, whole and atomically,
// with the very bytes that the same writes through the profile functions
// would leave (the portable engine decides them, as it does for every build).
#pragma once

#include <mutex>
#include <span>
#include <string_view>

#include "platform/AtomicFiles.h"
#include "platform/ProfileFiles.h"

namespace zr {

// The one lock of the file at `path` for this process: every read and every
// read-change-replace of it holds this lock, so that the interface thread and
// the button-action worker never lose each other's keys, and a read never
// meets a replacement half done. Paths that differ only in case share it.
std::unique_lock<std::mutex> LockProfileFile(std::u16string_view path);

class ProfileWriter {
 public:
  explicit ProfileWriter(AtomicFiles& files) : files_(files) {}

  // Reads the file, applies the writes in order and replaces the file once.
  // Writes that change nothing leave the file alone, as the profile
  // functions do, and succeed whatever the file allows.
  bool Write(std::span<const ProfileWrite> writes, std::u16string_view path);

 private:
  AtomicFiles& files_;
};

}  // namespace zr
