// The pointer speed and wheel scroll lines through SystemParametersInfoW.
#pragma once

#include "platform/SystemSettings.h"

namespace zr {

class Win32SystemSettings final : public SystemSettings {
 public:
  std::optional<std::int32_t> MouseSpeed() override;
  bool SetMouseSpeed(std::int32_t speed) override;
  std::optional<std::uint32_t> WheelScrollLines() override;
  bool SetWheelScrollLines(std::uint32_t lines) override;
};

}  // namespace zr
