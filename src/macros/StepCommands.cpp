#include "macros/StepCommands.h"

#include <array>

#include "macros/KeyAction.h"
#include "macros/KeyCodes.h"

namespace zr {
namespace {

struct Entry {
  int id;
  StepCommand command;
};

constexpr StepCommand Before(std::uint8_t key, std::uint8_t action) {
  return {StepCommandKind::kInsertBefore, key, action};
}
constexpr StepCommand After(std::uint8_t key, std::uint8_t action) {
  return {StepCommandKind::kInsertAfter, key, action};
}

using namespace step_command;
constexpr std::array<Entry, 28> kCommands = {{
    {kModifyDelay, {StepCommandKind::kModifyDelay}},
    {kDelete, {StepCommandKind::kDelete}},
    {kBeforeLeftDown, Before(kLeftButtonKey, kKeyPress)},
    {kBeforeLeftUp, Before(kLeftButtonKey, kKeyRelease)},
    {kBeforeRightDown, Before(kRightButtonKey, kKeyPress)},
    {kBeforeRightUp, Before(kRightButtonKey, kKeyRelease)},
    {kBeforeMiddleDown, Before(kMiddleButtonKey, kKeyPress)},
    {kBeforeMiddleUp, Before(kMiddleButtonKey, kKeyRelease)},
    {kAfterLeftDown, After(kLeftButtonKey, kKeyPress)},
    {kAfterLeftUp, After(kLeftButtonKey, kKeyRelease)},
    {kAfterRightDown, After(kRightButtonKey, kKeyPress)},
    {kAfterRightUp, After(kRightButtonKey, kKeyRelease)},
    {kAfterMiddleDown, After(kMiddleButtonKey, kKeyPress)},
    {kAfterMiddleUp, After(kMiddleButtonKey, kKeyRelease)},
    {kBeforeLeftDownCn, Before(kLeftButtonKey, kKeyPress)},
    {kBeforeLeftUpCn, Before(kLeftButtonKey, kKeyRelease)},
    {kBeforeRightDownCn, Before(kRightButtonKey, kKeyPress)},
    {kBeforeRightUpCn, Before(kRightButtonKey, kKeyRelease)},
    {kBeforeMiddleDownCn, Before(kMiddleButtonKey, kKeyPress)},
    {kBeforeMiddleUpCn, Before(kMiddleButtonKey, kKeyRelease)},
    {kAfterLeftDownCn, After(kLeftButtonKey, kKeyPress)},
    {kAfterLeftUpCn, After(kLeftButtonKey, kKeyRelease)},
    {kAfterRightDownCn, After(kRightButtonKey, kKeyPress)},
    {kAfterRightUpCn, After(kRightButtonKey, kKeyRelease)},
    {kAfterMiddleDownCn, After(kMiddleButtonKey, kKeyPress)},
    {kAfterMiddleUpCn, After(kMiddleButtonKey, kKeyRelease)},
    {kModifyDelayCn, {StepCommandKind::kModifyDelay}},
    {kDeleteCn, {StepCommandKind::kDelete}},
}};

}  // namespace

std::optional<StepCommand> StepCommandFor(int commandId) {
  for (const Entry& entry : kCommands)
    if (entry.id == commandId) return entry.command;
  return std::nullopt;
}

}  // namespace zr
