// Where the input-report reader takes its reports from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/HidBus.h"

namespace zr {

// Where the reader takes its reports from (the device link).
class InputReportSource {
 public:
  virtual ~InputReportSource() = default;
  // Blocks until the mouse sends a report; ReadEnd::NoDevice at once while
  // the mouse is not open.
  virtual InputRead ReadInputReport(std::span<std::uint8_t> buffer) = 0;
  // Ends the read in progress, or the next one when none is.
  virtual void CancelInputRead() = 0;
};

}  // namespace zr
