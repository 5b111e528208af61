// The host's pointer speed and wheel scroll lines, as the download and the
// exit procedure change them for the logged-on user.
#pragma once

#include <cstdint>
#include <optional>

namespace zr {

class SystemSettings {
 public:
  virtual ~SystemSettings() = default;

  // On the window system's 1..20 scale.
  virtual std::optional<std::int32_t> MouseSpeed() = 0;
  // Stored in the user profile and announced to every window.
  virtual bool SetMouseSpeed(std::int32_t speed) = 0;
  virtual std::optional<std::uint32_t> WheelScrollLines() = 0;
  // Stored in the user profile only.
  virtual bool SetWheelScrollLines(std::uint32_t lines) = 0;
};

}  // namespace zr
