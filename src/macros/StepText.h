// The rows of the step list that show one event of a macro.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "macros/MacroRecord.h"

namespace zr {

struct StepRows {
  // The pause before the event; event 0 has none. Event k therefore owns
  // row 2k (its key row) and row 2k - 1 (the delay row before it).
  std::optional<std::u16string> delayRow;
  std::u16string keyRow;
};

std::u16string DelayRowText(std::uint16_t delay);
std::u16string KeyRowText(MacroEvent event);
// Event k of the record; an index past the record's events gives no rows.
StepRows StepText(const MacroRecord& record, std::size_t k);

}  // namespace zr
