// Which keys the recorder's keyboard hook keeps from the rest of the system.
// The hook only takes keys away that the recording began: a key that was
// already down when the hook went in goes on being the system's, its
// auto-repeat and its release included, so nothing stays held once the
// recording ends. The hook asks this for every key before it answers.
#pragma once

#include <bitset>
#include <cstdint>

namespace zr {

class RecorderKeyGate {
 public:
  static constexpr std::uint32_t kVirtualKeys = 256;

  // The hook went in. `isDown(vk)` says whether the system holds a key down
  // at that moment.
  template <typename IsDown>
  void Begin(IsDown isDown) {
    swallowedDowns_.reset();
    heldBefore_.reset();
    for (std::uint32_t vk = 0; vk < kVirtualKeys; ++vk)
      if (isDown(vk)) heldBefore_.set(vk);
  }

  // True when the key is the recorder's: swallowed and handed to it. False
  // when it must go on to the next hook and is not recorded.
  bool Take(std::uint32_t virtualKey, bool down);

 private:
  std::bitset<kVirtualKeys> swallowedDowns_;  // went down while the hook was in
  std::bitset<kVirtualKeys> heldBefore_;      // down when the hook went in, not yet up
};

}  // namespace zr
