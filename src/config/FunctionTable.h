// Fixed tables of button functions, button codes, consumer usages and DPI steps.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace zr {

// Slot s is sent to the mouse as this code and reported back as 0xF0 + code.
inline constexpr std::array<std::uint8_t, 6> kButtonCodes = {1, 3, 2, 4, 5, 6};

// What the host does when the mouse reports a press of a button with a code.
enum class HostAction : std::uint8_t {
  None,
  DpiButton,       // take the DPI level the mouse reports
  RateButton,      // advance USB_SPEED
  ConsumerKey,     // send the code's consumer usage
  ConstantMacro,   // play the code's constant macro once
  Calculator,
  CommandPrompt,
  UserMacro,       // play the code's user macro
};

// Where the button-function pop-up offers a code: the main menu's own items,
// or the sub-menu that one of the main menu's group items opens. The group
// items' numbers are the main-menu items that open them.
inline constexpr std::int32_t kMainMenuGroup = 0;
inline constexpr std::int32_t kAdvancedGroupItem = 7;
inline constexpr std::int32_t kMultimediaGroupItem = 8;
inline constexpr std::int32_t kMacroGroupItem = 9;
inline constexpr std::int32_t kConstantMacroGroupItem = 10;
// Only a file holds such a code; it still means something to the mouse or the worker.
inline constexpr std::int32_t kNotOffered = -1;

struct FunctionCode {
  std::int32_t code;       // stored in K0..K5
  std::int32_t group;      // pop-up group it is offered in, or kNotOffered
  std::int32_t item;       // 1-based item in that group; a macro's slot + 1
  std::uint8_t device;     // byte of the button assignment command
  HostAction host;         // what the worker does on a press
  std::uint16_t usage;     // consumer page usage the host sends; 0 for none
};

// Every valid code, one row each; any other code is broken. The names are the
// English skin's, for the reader.
inline constexpr std::array<FunctionCode, 45> kFunctionCodes = {{
    // {code, group, item, device, host, usage}
    {1, kMainMenuGroup, 1, 1, HostAction::None, 0},                              // Left Click
    {2, kMainMenuGroup, 2, 2, HostAction::None, 0},                              // Middle Click
    {3, kMainMenuGroup, 3, 3, HostAction::None, 0},                              // Right Click
    {4, kMainMenuGroup, 4, 4, HostAction::None, 0},                              // Back
    {5, kMainMenuGroup, 5, 5, HostAction::None, 0},                              // Forward
    {6, kMainMenuGroup, 6, 6, HostAction::DpiButton, 0},                         // DPI Cycle
    {11, kAdvancedGroupItem, 1, 7, HostAction::None, 0},                         // Rapid Fire
    {12, kAdvancedGroupItem, 2, 8, HostAction::None, 0},                         // Double Click
    {13, kAdvancedGroupItem, 3, 9, HostAction::None, 0},                         // Triple Click
    {14, kAdvancedGroupItem, 4, 10, HostAction::RateButton, 0},                  // Report Rate
    {15, kAdvancedGroupItem, 5, 11, HostAction::DpiButton, 0},                   // DPI Up
    {16, kAdvancedGroupItem, 6, 12, HostAction::DpiButton, 0},                   // DPI Down
    {17, kNotOffered, 0, 13, HostAction::None, 0},                               // LED On/Off
    {21, kMultimediaGroupItem, 1, 0, HostAction::ConsumerKey, 0x0223},           // Home Page
    {22, kMultimediaGroupItem, 2, 0, HostAction::ConsumerKey, 0x0183},           // Media Player
    {23, kMultimediaGroupItem, 3, 0, HostAction::ConsumerKey, 0x018A},           // Email
    {24, kMultimediaGroupItem, 4, 0, HostAction::ConsumerKey, 0x00E9},           // Volume Up
    {25, kMultimediaGroupItem, 5, 0, HostAction::ConsumerKey, 0x00EA},           // Volume Down
    {26, kMultimediaGroupItem, 6, 0, HostAction::ConsumerKey, 0x00B6},           // Previous Track
    {27, kMultimediaGroupItem, 7, 0, HostAction::ConsumerKey, 0x00B5},           // Next Track
    {28, kMultimediaGroupItem, 8, 0, HostAction::ConsumerKey, 0x00E2},           // Mute
    {29, kMultimediaGroupItem, 9, 0, HostAction::ConsumerKey, 0x00CD},           // Play/Pause
    {30, kMultimediaGroupItem, 10, 0, HostAction::ConsumerKey, 0x0192},          // Calculator
    {31, kConstantMacroGroupItem, 1, 0, HostAction::ConstantMacro, 0},           // Copy
    {32, kConstantMacroGroupItem, 2, 0, HostAction::ConstantMacro, 0},           // Paste
    {33, kConstantMacroGroupItem, 3, 0, HostAction::ConstantMacro, 0},           // Cut
    {34, kConstantMacroGroupItem, 4, 0, HostAction::ConstantMacro, 0},           // Undo
    {35, kConstantMacroGroupItem, 5, 0, HostAction::ConstantMacro, 0},           // Select All
    {36, kConstantMacroGroupItem, 6, 0, HostAction::ConstantMacro, 0},           // Save
    {37, kConstantMacroGroupItem, 7, 0, HostAction::ConstantMacro, 0},           // Switch Window
    {38, kConstantMacroGroupItem, 8, 0, HostAction::ConstantMacro, 0},           // Show Desktop
    {39, kNotOffered, 0, 0, HostAction::Calculator, 0},                          // Calculator
    {40, kNotOffered, 0, 0, HostAction::CommandPrompt, 0},                       // Command Prompt
    {41, kMacroGroupItem, 1, 0, HostAction::UserMacro, 0},                       // the user's macros
    {42, kMacroGroupItem, 2, 0, HostAction::UserMacro, 0},
    {43, kMacroGroupItem, 3, 0, HostAction::UserMacro, 0},
    {44, kMacroGroupItem, 4, 0, HostAction::UserMacro, 0},
    {45, kMacroGroupItem, 5, 0, HostAction::UserMacro, 0},
    {46, kMacroGroupItem, 6, 0, HostAction::UserMacro, 0},
    {47, kMacroGroupItem, 7, 0, HostAction::UserMacro, 0},
    {48, kMacroGroupItem, 8, 0, HostAction::UserMacro, 0},
    {49, kMacroGroupItem, 9, 0, HostAction::UserMacro, 0},
    {50, kMacroGroupItem, 10, 0, HostAction::UserMacro, 0},
    {51, kMacroGroupItem, 11, 0, HostAction::UserMacro, 0},
    {52, kMacroGroupItem, 12, 0, HostAction::UserMacro, 0},
}};

inline constexpr std::int32_t kLeftClickCode = 1;

// The row of a code; none for a broken code.
constexpr const FunctionCode* FindFunctionCode(std::int32_t code) {
  for (const FunctionCode& row : kFunctionCodes)
    if (row.code == code) return &row;
  return nullptr;
}

constexpr bool IsValidFunctionCode(std::int32_t code) { return FindFunctionCode(code) != nullptr; }

// Items the pop-up group offers (the macro group: at most this many).
constexpr std::int32_t GroupItemCount(std::int32_t group) {
  std::int32_t count = 0;
  for (const FunctionCode& row : kFunctionCodes) count += row.group == group ? 1 : 0;
  return count;
}

// The code of item `item` of a pop-up group; none where the group has no such item.
constexpr std::optional<std::int32_t> CodeOfGroupItem(std::int32_t group, std::int32_t item) {
  if (group == kNotOffered) return std::nullopt;
  for (const FunctionCode& row : kFunctionCodes)
    if (row.group == group && row.item == item) return row.code;
  return std::nullopt;
}

// The byte sent for a function code in the button assignment command.
std::uint8_t DeviceFunction(std::int32_t code);
HostAction HostActionOf(std::int32_t code);
// Consumer page usage of a multimedia code; 0 for any other code.
std::uint16_t ConsumerUsage(std::int32_t code);
// The macro slot a macro code plays (constant or user table by its host
// action); -1 for any other code.
std::int32_t MacroSlotOf(std::int32_t code);

inline constexpr int kDpiSteps = 12;
inline constexpr std::array<std::uint8_t, kDpiSteps> kSensorCodes = {1, 2, 3, 4, 5, 6, 7, 9, 11, 13, 14, 15};
inline constexpr std::array<std::uint16_t, kDpiSteps> kDpiValues = {200,  400,  600,  800,  1000, 1200,
                                                                    1600, 2000, 2400, 3200, 4000, 4800};

// Sensor code of a DPI step; a step beyond the table (only a hand-edited file
// has one) is sent as the lowest resolution, which is also how it is shown.
std::uint8_t SensorCodeOfStep(std::uint8_t step);
// DPI shown for a sensor code; a code outside the table shows as 200.
std::uint16_t DpiOfSensorCode(std::uint8_t sensorCode);

}  // namespace zr
