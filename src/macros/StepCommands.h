// The commands of the step list's context menu, in its English and its
// Chinese resource, and what each asks of the macro editor.
#pragma once

#include <cstdint>
#include <optional>

namespace zr {

inline constexpr int kStepMenuEnglish = 154;
inline constexpr int kStepMenuChinese = 161;

enum class StepCommandKind { kInsertBefore, kInsertAfter, kModifyDelay, kDelete };

struct StepCommand {
  StepCommandKind kind;
  std::uint8_t key = 0;     // the key code an insertion adds
  std::uint8_t action = 0;  // and its action
};

namespace step_command {
// English menu.
inline constexpr int kModifyDelay = 32780;
inline constexpr int kDelete = 32781;
inline constexpr int kBeforeLeftDown = 32802;
inline constexpr int kBeforeLeftUp = 32803;
inline constexpr int kBeforeRightDown = 32804;
inline constexpr int kBeforeRightUp = 32805;
inline constexpr int kBeforeMiddleDown = 32806;
inline constexpr int kBeforeMiddleUp = 32807;
inline constexpr int kAfterLeftDown = 32809;
inline constexpr int kAfterLeftUp = 32810;
inline constexpr int kAfterRightDown = 32811;
inline constexpr int kAfterRightUp = 32812;
inline constexpr int kAfterMiddleDown = 32813;
inline constexpr int kAfterMiddleUp = 32814;
// Chinese menu.
inline constexpr int kBeforeLeftDownCn = 32817;
inline constexpr int kBeforeLeftUpCn = 32818;
inline constexpr int kBeforeRightDownCn = 32820;
inline constexpr int kBeforeRightUpCn = 32821;
inline constexpr int kBeforeMiddleDownCn = 32823;
inline constexpr int kBeforeMiddleUpCn = 32824;
inline constexpr int kAfterLeftDownCn = 32829;
inline constexpr int kAfterLeftUpCn = 32830;
inline constexpr int kAfterRightDownCn = 32831;
inline constexpr int kAfterRightUpCn = 32832;
inline constexpr int kAfterMiddleDownCn = 32833;
inline constexpr int kAfterMiddleUpCn = 32834;
inline constexpr int kModifyDelayCn = 32835;
inline constexpr int kDeleteCn = 32836;
}  // namespace step_command

// Nothing for an id that is not one of the menus' step commands (the range
// 32780..32836 holds other commands of the window too).
std::optional<StepCommand> StepCommandFor(int commandId);

}  // namespace zr
