// What macro playback and the multimedia keys ask of the mouse: it reports
// the keys and buttons the host tells it to hold, and consumer keys.
#pragma once

#include <cstdint>

namespace zr {

class MouseInjection {
 public:
  virtual ~MouseInjection() = default;
  virtual void SendKeyEvent(std::uint8_t key, std::uint8_t action) = 0;
  virtual void ReleaseAll() = 0;
  virtual void SendConsumerUsage(std::uint16_t usage) = 0;
};

}  // namespace zr
