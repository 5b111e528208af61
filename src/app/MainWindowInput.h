// What the main window's mouse and keyboard input means: hover tracking,
// the press and release actions of the three pages, page switching and the
// window drag. Changes that live only in memory (the record, the page, the
// hover indices) are made here; everything that needs a window, a file
// dialog, the mouse or the macro editor comes back as a request for the shell.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <string_view>

#include "config/ConfigRecord.h"
#include "config/ConfigRepair.h"
#include "config/RecordRules.h"
#include "macros/MacroEditorState.h"
#include "macros/MacroRecord.h"
#include "platform/ProfileFiles.h"
#include "skin/SkinLayout.h"
#include "skin/UiState.h"

namespace zr {

// The last index each hit test looks at (that entry included).
inline constexpr std::int32_t kMainPageLastEntry = 114;
inline constexpr std::int32_t kHeaderLastEntry = 19;  // main layout on the other two pages
inline constexpr std::int32_t kColourLastEntry = 4;
inline constexpr std::int32_t kAdvancedLastEntry = 37;

inline constexpr std::uint16_t kRepeatCountMax = 65535;

// The first entry 0..last whose rectangle holds the point, else kNoSpot.
std::int32_t HitTest(std::span<const SkinEntry> table, std::int32_t lastIndex, std::int32_t x, std::int32_t y);

enum class RepaintArea : std::uint8_t {
  None,
  AdvancedRegion,  // the advanced-page paint region, which leaves the child controls alone
  WholeWindow,
};

// What a click means; app/InputSteps.h says how the window carries it out.
enum class InputCommand : std::uint8_t {
  None,
  WindowDrag,
  // Main page press.
  Save,
  ImportProfile,
  ExportProfile,
  OpenPopup,  // the button-function pop-up of ui.popupTargetEntry
  // Advanced page press.
  ImportMacros,
  ExportMacros,
  AddOrSelectMacro,
  DeleteMacro,
  ToggleRecording,
  CommitRepeatCount,
  ToggleRepeatMode,
  // Release, on every page.
  HideCommand,
  Apply,
  LoadConfiguration,  // of the (new) current configuration
  Minimise,
  Close,
  FactoryReset,
  SwitchToChinese,
  SwitchToEnglish,
  OpenWebLink,
};

// What a movement or a click asks of the window, beyond the changes in
// memory the core has made already; InputSteps puts it in order.
struct InputRequest {
  bool closePopup = false;          // the open button-function pop-up goes
  bool leaveAdvancedPage = false;   // the page's child windows go
  bool enterAdvancedPage = false;   // they are made and filled
  bool startColourPreview = false;  // the running flag is claimed already
  InputCommand command = InputCommand::None;
  bool warningFirst = false;        // OpenPopup: ask with the warning dialog before opening
  // The command reloads or replaces the macro tables: a recording, an
  // in-place delay edit and the keyboard hook end first.
  bool endMacroEditing = false;
  std::int32_t x = 0;               // the click position in client coordinates
  std::int32_t y = 0;
  RepaintArea repaint = RepaintArea::None;
  bool updateNow = false;           // paint at once, after everything else

  void Repaint(RepaintArea area) {
    if (area > repaint) repaint = area;
  }
};

struct InputModel {
  UiState& ui;
  ConfigRecord& config;
  const SkinLayouts& skin;
  ColourPreviewState& preview;
  std::atomic<std::int32_t>& currentConfig;
};

// WM_MOUSEMOVE: the three hover indices, and what to repaint because one changed.
InputRequest TrackHover(InputModel model, std::int32_t x, std::int32_t y);
// WM_LBUTTONDOWN: acts on the hover indices of the last movement.
InputRequest Press(InputModel model, std::int32_t x, std::int32_t y);
// WM_LBUTTONUP: acts on the main hover index, whatever was pressed.
InputRequest Release(InputModel model, std::int32_t x, std::int32_t y);
// A choice in a sub-menu has ended the pop-up: the main menu closes (if it
// has not yet) and the window repaints at once.
InputRequest ChoiceFinished(UiState& ui);

// Unsigned, as the slider has always computed it: 0 at its left edge.
std::int32_t FireTimeAt(const SkinEntry& slider, std::int32_t x);

// True for the keys that must not reach the dialog's own keyboard handling:
// Esc and Enter would end the modal run, F10 would enter the system menu.
bool SwallowedByKeyboardFilter(std::uint32_t message, std::uintptr_t wParam);

// Loads of the release actions and the import; each is repaired (config/ConfigRepair.h).
void LoadClickedConfiguration(ProfileFiles& files, std::u16string_view configFile, std::int32_t number,
                              std::uint8_t languageFlag, ConfigRecord& record);
// Keeps DPI_LEVEL in configuration 6 and falls back to it.
void RunHideCommand(ProfileFiles& files, std::u16string_view configFile, std::uint8_t languageFlag,
                    ConfigRecord& record);
inline constexpr std::u16string_view kNoProfileMessageEnglish = u"The file holds no profile. Nothing was imported.";
inline constexpr std::u16string_view kNoProfileMessageChinese = u"该文件中没有配置，未导入任何内容。";
std::u16string_view NoProfileMessage(std::uint8_t languageFlag);

}  // namespace zr
