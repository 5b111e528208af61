#include "macros/StepCommands.h"

#include <array>

#include "macros/KeyAction.h"
#include "macros/KeyCodes.h"
#include "resource.h"

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

constexpr std::array<Entry, 28> kCommands = {{
    {ID_STEP_MODIFY_DELAY, {StepCommandKind::kModifyDelay}},
    {ID_STEP_DELETE, {StepCommandKind::kDelete}},
    {ID_STEP_BEFORE_LEFT_DOWN, Before(kLeftButtonKey, kKeyPress)},
    {ID_STEP_BEFORE_LEFT_UP, Before(kLeftButtonKey, kKeyRelease)},
    {ID_STEP_BEFORE_RIGHT_DOWN, Before(kRightButtonKey, kKeyPress)},
    {ID_STEP_BEFORE_RIGHT_UP, Before(kRightButtonKey, kKeyRelease)},
    {ID_STEP_BEFORE_MIDDLE_DOWN, Before(kMiddleButtonKey, kKeyPress)},
    {ID_STEP_BEFORE_MIDDLE_UP, Before(kMiddleButtonKey, kKeyRelease)},
    {ID_STEP_AFTER_LEFT_DOWN, After(kLeftButtonKey, kKeyPress)},
    {ID_STEP_AFTER_LEFT_UP, After(kLeftButtonKey, kKeyRelease)},
    {ID_STEP_AFTER_RIGHT_DOWN, After(kRightButtonKey, kKeyPress)},
    {ID_STEP_AFTER_RIGHT_UP, After(kRightButtonKey, kKeyRelease)},
    {ID_STEP_AFTER_MIDDLE_DOWN, After(kMiddleButtonKey, kKeyPress)},
    {ID_STEP_AFTER_MIDDLE_UP, After(kMiddleButtonKey, kKeyRelease)},
    {ID_STEP_BEFORE_LEFT_DOWN_CN, Before(kLeftButtonKey, kKeyPress)},
    {ID_STEP_BEFORE_LEFT_UP_CN, Before(kLeftButtonKey, kKeyRelease)},
    {ID_STEP_BEFORE_RIGHT_DOWN_CN, Before(kRightButtonKey, kKeyPress)},
    {ID_STEP_BEFORE_RIGHT_UP_CN, Before(kRightButtonKey, kKeyRelease)},
    {ID_STEP_BEFORE_MIDDLE_DOWN_CN, Before(kMiddleButtonKey, kKeyPress)},
    {ID_STEP_BEFORE_MIDDLE_UP_CN, Before(kMiddleButtonKey, kKeyRelease)},
    {ID_STEP_AFTER_LEFT_DOWN_CN, After(kLeftButtonKey, kKeyPress)},
    {ID_STEP_AFTER_LEFT_UP_CN, After(kLeftButtonKey, kKeyRelease)},
    {ID_STEP_AFTER_RIGHT_DOWN_CN, After(kRightButtonKey, kKeyPress)},
    {ID_STEP_AFTER_RIGHT_UP_CN, After(kRightButtonKey, kKeyRelease)},
    {ID_STEP_AFTER_MIDDLE_DOWN_CN, After(kMiddleButtonKey, kKeyPress)},
    {ID_STEP_AFTER_MIDDLE_UP_CN, After(kMiddleButtonKey, kKeyRelease)},
    {ID_STEP_MODIFY_DELAY_CN, {StepCommandKind::kModifyDelay}},
    {ID_STEP_DELETE_CN, {StepCommandKind::kDelete}},
}};

}  // namespace

std::optional<StepCommand> StepCommandFor(int commandId) {
  for (const Entry& entry : kCommands)
    if (entry.id == commandId) return entry.command;
  return std::nullopt;
}

}  // namespace zr
