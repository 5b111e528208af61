// System settings that keep every call in order, start from given values and
// can refuse to be read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/SystemSettings.h"

namespace zr::test {

class RecordingSystemSettings final : public SystemSettings {
 public:
  struct Call {
    std::string what;  // "get speed", "set speed", "get lines", "set lines"
    std::int64_t value = 0;
    bool operator==(const Call&) const = default;
  };

  std::optional<std::int32_t> MouseSpeed() override {
    calls.push_back({"get speed", speed});
    return speedReadable ? std::optional(speed) : std::nullopt;
  }
  bool SetMouseSpeed(std::int32_t value) override {
    calls.push_back({"set speed", value});
    speed = value;
    return true;
  }
  std::optional<std::uint32_t> WheelScrollLines() override {
    calls.push_back({"get lines", lines});
    return linesReadable ? std::optional(lines) : std::nullopt;
  }
  bool SetWheelScrollLines(std::uint32_t value) override {
    calls.push_back({"set lines", value});
    lines = value;
    return true;
  }

  std::int32_t speed = 10;
  std::uint32_t lines = 3;
  bool speedReadable = true;
  bool linesReadable = true;
  std::vector<Call> calls;
};

}  // namespace zr::test
