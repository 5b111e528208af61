// The rules every change of the configuration record keeps, whoever makes it
// (the pop-ups, the main page, the repair of a load): the mouse always has a
// left click, at least one DPI level stays enabled, and the current level is
// an enabled one.
#pragma once

#include <cstdint>

#include "config/ConfigRecord.h"

namespace zr {

bool AnyButtonHoldsLeftClick(const ConfigRecord& record);

// True unless one of the other five buttons keeps the left click, so that
// changing `button` cannot leave the mouse without one.
bool WarningNeeded(const ConfigRecord& record, std::int32_t button);

// Stores `code` for `button` (0..5) and, when no button is left with the
// left click, gives it to the next button; the last button has no next one
// and takes the left click back itself.
void StoreButtonFunction(ConfigRecord& record, std::int32_t button, std::int32_t code);

// The first enabled level after `level`, going round; `level` itself when no
// other one is enabled.
std::int32_t NextEnabledLevel(const ConfigRecord& record, std::int32_t level);

// USB_SPEED: the steps the mouse knows, for every place that takes a step
// from the record; a rate button moves to the next one and wraps after the last.
constexpr bool IsReportRateStep(std::int32_t step) { return step >= 0 && step <= kLastReportRateStep; }
std::uint8_t NextReportRateStep(std::uint8_t step);

// The DPI rules of the main page: disabling the current level moves it to
// the next enabled one, and the last enabled level cannot be disabled; only
// an enabled level can be selected.
void ToggleDpiLevel(ConfigRecord& record, std::int32_t level);
void SelectDpiLevel(ConfigRecord& record, std::int32_t level);

}  // namespace zr
