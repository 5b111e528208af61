// What the button-action worker tells the interface thread besides a repaint:
// the mouse switched its DPI level or report-rate step by a button of its
// own. Called on the worker's thread, so an implementation only queues the
// news (a posted message) and never touches a window itself.
#pragma once

#include <cstdint>

namespace zr {

class MouseChangeNotices {
 public:
  virtual ~MouseChangeNotices() = default;
  virtual void DpiLevelChanged(std::int32_t level) = 0;
  virtual void ReportRateChanged(std::uint8_t step) = 0;
};

}  // namespace zr
