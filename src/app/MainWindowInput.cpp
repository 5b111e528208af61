#include "app/MainWindowInput.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "config/ConfigRepair.h"
#include "config/ConfigStore.h"
#include "config/FunctionTable.h"
#include "platform/Text.h"
#include "skin/ColourPreview.h"
#include "skin/PopupMenus.h"

namespace zr {
namespace {

// Main-page entries.
constexpr std::int32_t kSaveEntry = 0;
constexpr std::int32_t kHideEntry = 2;
constexpr std::int32_t kApplyEntry = 3;
constexpr std::int32_t kFirstConfigEntry = 4;
constexpr std::int32_t kLastConfigEntry = 8;
constexpr std::int32_t kMainTabEntry = 9;
constexpr std::int32_t kAdvancedTabEntry = 10;
constexpr std::int32_t kColourTabEntry = 11;
constexpr std::int32_t kMinimiseEntry = 12;
constexpr std::int32_t kCloseEntry = 13;
constexpr std::int32_t kImportEntry = 14;
constexpr std::int32_t kExportEntry = 15;
constexpr std::int32_t kFactoryResetEntry = 16;
constexpr std::int32_t kChineseEntry = 17;
constexpr std::int32_t kEnglishEntry = 18;
constexpr std::int32_t kWebLinkEntry = 19;
constexpr std::int32_t kWheelOffEntry = 41;
constexpr std::int32_t kWheelOnEntry = 42;
constexpr std::int32_t kFirstDpiEnableEntry = 46;
constexpr std::int32_t kFirstDpiLevelEntry = 54;
constexpr std::int32_t kFirstDpiCellEntry = 66;
constexpr std::int32_t kLastDpiCellEntry = kFirstDpiCellEntry + kDpiLevels * kDpiSteps - 1;  // 113

// Advanced-page entries.
constexpr std::int32_t kImportMacrosEntry = 0;
constexpr std::int32_t kExportMacrosEntry = 1;
constexpr std::int32_t kAddMacroEntry = 2;
constexpr std::int32_t kDeleteMacroEntry = 3;
constexpr std::int32_t kRecordEntry = 4;
constexpr std::int32_t kRepeatCountEntry = 5;
constexpr std::int32_t kRepeatModeEntry = 6;
constexpr std::int32_t kTriggerModeEntry = 7;
constexpr std::int32_t kFirstPointerSpeedEntry = 8;
constexpr std::int32_t kFirstWheelSpeedEntry = 18;
constexpr std::int32_t kFireSliderEntry = 30;
constexpr std::int32_t kFireUpEntry = 31;
constexpr std::int32_t kFireDownEntry = 32;

bool InRange(std::int32_t value, std::int32_t first, std::int32_t last) { return value >= first && value <= last; }

void RequestDrag(InputRequest& request, std::int32_t x, std::int32_t y) {
  request.command = InputCommand::WindowDrag;
  request.x = x;
  request.y = y;
}

void GoToAdvancedPage(InputModel model, InputRequest& request) {
  model.ui.currentPage = Page::Advanced;
  request.Repaint(RepaintArea::AdvancedRegion);
  request.enterAdvancedPage = true;
}

void GoToColourPage(InputModel model, InputRequest& request) {
  model.ui.currentPage = Page::Colour;
  // A worker still winding down from the last visit keeps the flag set; it
  // sees the claim and carries on, even if it had found the page left.
  if (ClaimColourPreview(model.preview)) request.startColourPreview = true;
  request.Repaint(RepaintArea::WholeWindow);
}

void LeaveAdvancedPage(InputModel model, InputRequest& request, Page to) {
  if (to == Page::Colour) {
    GoToColourPage(model, request);
  } else {
    model.ui.currentPage = to;
  }
  request.leaveAdvancedPage = true;
  request.Repaint(RepaintArea::WholeWindow);
}

void PressOnMainPage(InputModel model, InputRequest& request, std::int32_t x, std::int32_t y) {
  UiState& ui = model.ui;
  ConfigRecord& config = model.config;
  if (ui.popupOpen) {
    request.closePopup = true;
    ui.popupOpen = false;
  }
  const std::int32_t entry = ui.mainHover;
  if (entry == kSaveEntry) {
    request.command = InputCommand::Save;
    request.Repaint(RepaintArea::WholeWindow);
  } else if (entry == kAdvancedTabEntry) {
    GoToAdvancedPage(model, request);
  } else if (entry == kColourTabEntry) {
    GoToColourPage(model, request);
  } else if (entry == kImportEntry) {
    request.command = InputCommand::ImportProfile;
  } else if (entry == kExportEntry) {
    request.command = InputCommand::ExportProfile;
  } else if (InRange(entry, kFirstButtonEntry, kLastButtonEntry)) {
    ui.popupTargetEntry = entry;
    request.command = InputCommand::OpenPopup;
    request.warningFirst = WarningNeeded(config, entry - kFirstButtonEntry);
  } else if (entry == kWheelOffEntry) {
    config.WHEEL_STATUS = 0;
  } else if (entry == kWheelOnEntry) {
    config.WHEEL_STATUS = 1;
  } else if (InRange(entry, kFirstDpiEnableEntry, kFirstDpiEnableEntry + kDpiLevels - 1)) {
    ToggleDpiLevel(config, entry - kFirstDpiEnableEntry);
  } else if (InRange(entry, kFirstDpiLevelEntry, kFirstDpiLevelEntry + kDpiLevels - 1)) {
    SelectDpiLevel(config, entry - kFirstDpiLevelEntry);
  } else if (InRange(entry, kFirstDpiCellEntry, kLastDpiCellEntry)) {
    const std::int32_t cell = entry - kFirstDpiCellEntry;
    config.DPI_SET[cell / kDpiSteps] = static_cast<std::uint8_t>(cell % kDpiSteps);
    request.Repaint(RepaintArea::WholeWindow);
  } else if (entry == kNoSpot) {
    RequestDrag(request, x, y);
  }
}

void PressOnAdvancedPage(InputModel model, InputRequest& request, std::int32_t x, std::int32_t y) {
  UiState& ui = model.ui;
  ConfigRecord& config = model.config;
  if (ui.mainHover == kMainTabEntry) return LeaveAdvancedPage(model, request, Page::Main);
  if (ui.mainHover == kColourTabEntry) return LeaveAdvancedPage(model, request, Page::Colour);
  const std::int32_t entry = ui.advancedHover;
  switch (entry) {
    case kImportMacrosEntry:
      request.command = InputCommand::ImportMacros;
      request.endMacroEditing = true;
      return;
    case kExportMacrosEntry: request.command = InputCommand::ExportMacros; return;
    case kAddMacroEntry: request.command = InputCommand::AddOrSelectMacro; return;
    case kDeleteMacroEntry: request.command = InputCommand::DeleteMacro; return;
    case kRecordEntry: request.command = InputCommand::ToggleRecording; return;
    case kRepeatCountEntry: request.command = InputCommand::CommitRepeatCount; return;
    case kRepeatModeEntry: request.command = InputCommand::ToggleRepeatMode; return;
    case kTriggerModeEntry: config.MACRO_MODE2 = 1 - config.MACRO_MODE2; return;
    case kFireSliderEntry:
      config.FIRE_TIME = FireTimeAt(model.skin.advanced[kFireSliderEntry], x);
      request.Repaint(RepaintArea::WholeWindow);
      return;
    case kFireUpEntry:
      config.FIRE_TIME = std::clamp(config.FIRE_TIME, 0, kFireTimeMax - 1) + 1;
      request.Repaint(RepaintArea::WholeWindow);
      return;
    case kFireDownEntry:
      config.FIRE_TIME = std::clamp(config.FIRE_TIME, 1, kFireTimeMax) - 1;
      request.Repaint(RepaintArea::WholeWindow);
      return;
    default: break;
  }
  if (InRange(entry, kFirstPointerSpeedEntry, kFirstPointerSpeedEntry + kSpeedSteps - 1)) {
    config.DPI_SPEED = static_cast<std::uint8_t>(entry - kFirstPointerSpeedEntry);
  } else if (InRange(entry, kFirstWheelSpeedEntry, kFirstWheelSpeedEntry + kSpeedSteps - 1)) {
    config.WHEEL_SPEED = static_cast<std::uint8_t>(entry - kFirstWheelSpeedEntry);
  } else if (entry == kNoSpot && ui.mainHover == kNoSpot) {
    RequestDrag(request, x, y);
  }
}

void PressOnColourPage(InputModel model, InputRequest& request, std::int32_t x, std::int32_t y) {
  UiState& ui = model.ui;
  if (ui.mainHover == kMainTabEntry) {
    ui.currentPage = Page::Main;
    request.Repaint(RepaintArea::WholeWindow);
  } else if (ui.mainHover == kAdvancedTabEntry) {
    GoToAdvancedPage(model, request);
  } else if (InRange(ui.colourHover, 0, kLedModes - 1)) {
    model.config.LED_STATUS = static_cast<std::uint8_t>(ui.colourHover);
  } else if (ui.colourHover == kNoSpot && ui.mainHover == kNoSpot) {
    RequestDrag(request, x, y);
  }
}

}  // namespace

std::int32_t HitTest(std::span<const SkinEntry> table, std::int32_t lastIndex, std::int32_t x, std::int32_t y) {
  const std::int32_t last = std::min<std::int32_t>(lastIndex, static_cast<std::int32_t>(table.size()) - 1);
  for (std::int32_t i = 0; i <= last; ++i)
    if (table[i].Contains(x, y)) return i;
  return kNoSpot;
}

InputRequest TrackHover(InputModel model, std::int32_t x, std::int32_t y) {
  UiState& ui = model.ui;
  const Page page = ui.currentPage;
  ui.mainHover = HitTest(model.skin.main, page == Page::Main ? kMainPageLastEntry : kHeaderLastEntry, x, y);
  ui.colourHover = HitTest(model.skin.color, kColourLastEntry, x, y);
  ui.advancedHover = HitTest(model.skin.advanced, kAdvancedLastEntry, x, y);
  bool changed = false;
  for (auto [now, previous] : {std::pair{&ui.mainHover, &ui.previousMainHover},
                               std::pair{&ui.colourHover, &ui.previousColourHover},
                               std::pair{&ui.advancedHover, &ui.previousAdvancedHover}}) {
    if (*now != *previous) {
      *previous = *now;
      changed = true;
    }
  }
  InputRequest request;
  if (changed) {
    request.Repaint(page == Page::Advanced ? RepaintArea::AdvancedRegion : RepaintArea::WholeWindow);
    request.updateNow = true;
  }
  return request;
}

InputRequest Press(InputModel model, std::int32_t x, std::int32_t y) {
  InputRequest request;
  request.x = x;
  request.y = y;
  UiState& ui = model.ui;
  if (ui.mainHover != kNoSpot || ui.colourHover != kNoSpot || ui.advancedHover != kNoSpot) {
    ui.pressed = true;
    request.Repaint(RepaintArea::WholeWindow);
  }
  switch (ui.currentPage.load()) {
    case Page::Main: PressOnMainPage(model, request, x, y); break;
    case Page::Advanced: PressOnAdvancedPage(model, request, x, y); break;
    case Page::Colour: PressOnColourPage(model, request, x, y); break;
  }
  return request;
}

InputRequest Release(InputModel model, std::int32_t x, std::int32_t y) {
  InputRequest request;
  request.x = x;
  request.y = y;
  UiState& ui = model.ui;
  ui.pressed = false;
  request.Repaint(RepaintArea::WholeWindow);
  const std::int32_t entry = ui.mainHover;
  if (entry == kHideEntry) {
    ui.mainHover = kNoSpot;
    request.command = InputCommand::HideCommand;
  } else if (entry == kApplyEntry) {
    request.command = InputCommand::Apply;
  } else if (InRange(entry, kFirstConfigEntry, kLastConfigEntry)) {
    model.currentConfig = entry - (kFirstConfigEntry - 1);
    request.command = InputCommand::LoadConfiguration;
  } else if (entry == kMinimiseEntry) {
    ui.mainHover = kNoSpot;
    request.command = InputCommand::Minimise;
  } else if (entry == kCloseEntry) {
    ui.mainHover = kNoSpot;
    request.command = InputCommand::Close;
  } else if (entry == kFactoryResetEntry) {
    request.command = InputCommand::FactoryReset;
    request.endMacroEditing = true;
  } else if (entry == kChineseEntry) {
    request.command = InputCommand::SwitchToChinese;
    request.endMacroEditing = true;
  } else if (entry == kEnglishEntry) {
    request.command = InputCommand::SwitchToEnglish;
    request.endMacroEditing = true;
  } else if (entry == kWebLinkEntry) {
    request.command = InputCommand::OpenWebLink;
  }
  return request;
}

InputRequest ChoiceFinished(UiState& ui) {
  InputRequest request;
  request.closePopup = std::exchange(ui.menus.choiceFinished, false);
  request.Repaint(RepaintArea::WholeWindow);
  request.updateNow = true;
  return request;
}

std::int32_t FireTimeAt(const SkinEntry& slider, std::int32_t x) {
  if (slider.width <= 0) return 0;
  // Only a point inside the slider comes here, so the offset is 0..w-1; the
  // wider type keeps a very wide slider from wrapping.
  const std::uint64_t offset = static_cast<std::uint32_t>(x - slider.x);
  return static_cast<std::int32_t>(offset * kFireTimeMax / static_cast<std::uint32_t>(slider.width));
}

bool SwallowedByKeyboardFilter(std::uint32_t message, std::uintptr_t wParam) {
  constexpr std::uint32_t kKeyDown = 0x0100, kKeyUp = 0x0101, kSysKeyDown = 0x0104, kSysKeyUp = 0x0105;
  constexpr std::uintptr_t kEscape = 0x1B, kReturn = 0x0D, kF10 = 121;
  if (message == kKeyDown && (wParam == kEscape || wParam == kReturn)) return true;
  // Only key messages carry a key in their first parameter: a typed "y" is
  // character 121 too, and must still reach the edits.
  const bool keyMessage = message == kKeyDown || message == kKeyUp || message == kSysKeyDown || message == kSysKeyUp;
  return keyMessage && wParam == kF10;
}

void LoadClickedConfiguration(ProfileFiles& files, std::u16string_view configFile, std::int32_t number,
                              std::uint8_t languageFlag, ConfigRecord& record) {
  LoadRepairedConfiguration(files, configFile, number, languageFlag, record);
}

void RunHideCommand(ProfileFiles& files, std::u16string_view configFile, std::uint8_t languageFlag,
                    ConfigRecord& record) {
  SaveCurrentDpiLevel(files, configFile, kDownloadSnapshotNumber, record);
  LoadClickedConfiguration(files, configFile, kDownloadSnapshotNumber, languageFlag, record);
}

std::u16string_view NoProfileMessage(std::uint8_t languageFlag) {
  return languageFlag != 0 ? kNoProfileMessageEnglish : kNoProfileMessageChinese;
}

}  // namespace zr
