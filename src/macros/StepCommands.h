// The commands of the step list's context menu, in its English and its
// Chinese resource, and what each asks of the macro editor. Their ids are
// the resource script's (ID_STEP_* in resource.h).
#pragma once

#include <cstdint>
#include <optional>

namespace zr {

enum class StepCommandKind { kInsertBefore, kInsertAfter, kModifyDelay, kDelete };

struct StepCommand {
  StepCommandKind kind;
  std::uint8_t key = 0;     // the key code an insertion adds
  std::uint8_t action = 0;  // and its action
};

// Nothing for an id that is not one of the menus' step commands (their range
// holds other commands of the window too).
std::optional<StepCommand> StepCommandFor(int commandId);

}  // namespace zr
