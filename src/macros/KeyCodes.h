// Key codes of macro steps: keyboard usage codes as the mouse types them,
// plus three codes for its buttons; and their maps to the virtual-key codes
// that the platform reports and that macro files store.
#pragma once

#include <cstdint>
#include <string_view>

namespace zr {

inline constexpr std::uint8_t kLeftButtonKey = 240;
inline constexpr std::uint8_t kRightButtonKey = 241;
inline constexpr std::uint8_t kMiddleButtonKey = 242;

// Exact inverses of each other on the 120 codes the table pairs; every other
// value passes through unchanged, in either direction.
std::uint8_t KeyCodeFromVirtualKey(std::uint8_t virtualKey);
std::uint8_t VirtualKeyFromKeyCode(std::uint8_t keyCode);

// The name shown in the step list, the same in both languages;
// "NON-AVAILABLE" for a code that names no key.
std::u16string_view KeyCodeName(std::uint8_t keyCode);

}  // namespace zr
