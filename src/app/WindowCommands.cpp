#include "app/WindowCommands.h"

namespace zr {
namespace {
constexpr std::uint32_t kLeftButtonDoubleClick = 0x0203;
constexpr std::uint32_t kRightButtonUp = 0x0205;
constexpr std::uint32_t kSystemMinimise = 0xF020;
}  // namespace

TrayAction DecideTrayNotification(std::uint32_t iconId, std::uint32_t mouseMessage) {
  if (iconId != kTrayIconId) return TrayAction::OtherIcon;
  switch (mouseMessage) {
    case kLeftButtonDoubleClick: return TrayAction::ShowWindow;
    case kRightButtonUp: return TrayAction::ShowMenu;
    default: return TrayAction::Nothing;
  }
}

MenuCommand DecideMenuCommand(std::uint32_t commandId) {
  switch (commandId) {
    case kCommandShowWindow:
    case kCommandShowWindowChinese: return MenuCommand::ShowWindow;
    case kCommandExitDriver:
    case kCommandExitDriverChinese: return MenuCommand::Exit;
    case kCommandIndicator:
    case kCommandIndicatorChinese: return MenuCommand::ToggleIndicator;
    default: return MenuCommand::Other;
  }
}

SystemCommand DecideSystemCommand(std::uint32_t command) {
  switch (command & 0xFFF0u) {
    case kSystemCommandAbout: return SystemCommand::About;
    case kSystemMinimise: return SystemCommand::Minimise;
    default: return SystemCommand::Default;
  }
}

}  // namespace zr
