// The services a download or a played macro needs beside the mouse, doing
// nothing, so that a measurement sees only the work under study: system
// settings that never change, a window that is never repainted, and no pause
// between feature reports. Shared by the native benchmarks and the Wine
// timing harnesses.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "platform/Sleeper.h"
#include "platform/SystemSettings.h"
#include "platform/WindowRepaint.h"

namespace zr::timing {

class UnchangingSettings final : public SystemSettings {
 public:
  std::optional<std::int32_t> MouseSpeed() override { return 10; }
  bool SetMouseSpeed(std::int32_t) override { return true; }
  std::optional<std::uint32_t> WheelScrollLines() override { return 3; }
  bool SetWheelScrollLines(std::uint32_t) override { return true; }
};

class NoRepaint final : public WindowRepaint {
 public:
  void RepaintWholeWindow() override {}
};

class NoSleep final : public Sleeper {
 public:
  void SleepFor(std::chrono::milliseconds) override {}
};

}  // namespace zr::timing
