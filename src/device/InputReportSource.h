// Where the input-report reader takes its reports from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zr {

// Where the reader takes its reports from (the device link).
class InputReportSource {
 public:
  virtual ~InputReportSource() = default;
  // Blocks until the mouse sends a report; nothing at once while the mouse
  // is not open, and nothing when the read failed or was cancelled.
  virtual std::optional<std::size_t> ReadInputReport(std::span<std::uint8_t> buffer) = 0;
  // Ends the read in progress, or the next one when none is.
  virtual void CancelInputRead() = 0;
};

}  // namespace zr
