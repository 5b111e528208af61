#include "macros/RecorderKeyGate.h"

namespace zr {

bool RecorderKeyGate::Take(std::uint32_t virtualKey, bool down) {
  const std::size_t vk = virtualKey & (kVirtualKeys - 1);
  if (down) {
    // Auto-repeat of a key held since before the recording: the system saw
    // it go down, so it must see it come up as well.
    if (heldBefore_.test(vk)) return false;
    swallowedDowns_.set(vk);
    return true;
  }
  heldBefore_.reset(vk);
  if (!swallowedDowns_.test(vk)) return false;
  swallowedDowns_.reset(vk);
  return true;
}

}  // namespace zr
