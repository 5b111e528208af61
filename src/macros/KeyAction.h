// What a macro step does with its key: the action byte of a macro event and
// of the key event the mouse is told to report.
#pragma once

#include <cstdint>

namespace zr {

inline constexpr std::uint8_t kKeyPress = 1;
inline constexpr std::uint8_t kKeyRelease = 2;

}  // namespace zr
