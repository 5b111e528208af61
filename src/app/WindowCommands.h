// What the tray icon's notifications, the menu commands and the system
// commands of the main window ask for.
#pragma once

#include <cstdint>

namespace zr {

inline constexpr std::uint32_t kTrayIconId = 153;
inline constexpr std::uint32_t kTrayCallbackMessage = 0x0400 + 1;  // WM_USER + 1

inline constexpr std::uint32_t kCommandExitDriver = 32800;
inline constexpr std::uint32_t kCommandShowWindow = 32801;
inline constexpr std::uint32_t kCommandShowWindowChinese = 32837;
inline constexpr std::uint32_t kCommandExitDriverChinese = 32838;
inline constexpr std::uint32_t kSystemCommandAbout = 0x0010;
// The tray menu's check item that turns the on-screen indicator on and off.
inline constexpr std::uint32_t kCommandIndicator = 32850;
inline constexpr std::uint32_t kCommandIndicatorChinese = 32851;

enum class TrayAction : std::uint8_t {
  OtherIcon,   // not ours: answer 1 and do nothing
  ShowWindow,  // show, then restore
  ShowMenu,    // bring the window forward and track the tray menu at the cursor
  Nothing,
};
TrayAction DecideTrayNotification(std::uint32_t iconId, std::uint32_t mouseMessage);

enum class MenuCommand : std::uint8_t { ShowWindow, Exit, ToggleIndicator, Other };
MenuCommand DecideMenuCommand(std::uint32_t commandId);

enum class SystemCommand : std::uint8_t { About, Minimise, Default };
// The command value as WM_SYSCOMMAND brings it; its low four bits are the system's.
SystemCommand DecideSystemCommand(std::uint32_t command);

}  // namespace zr
