// How the main window carries out what a movement or a click asks
// (InputRequest): the steps in their order, and what follows when one of them
// fails. The shell performs one step at a time and reports how it went;
// which step comes next is decided here, never in the shell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainWindowInput.h"
#include "skin/UiState.h"

namespace zr {

enum class StepKind : std::uint8_t {
  // The window and its children.
  ClosePopup,               // destroy the open button-function pop-up
  AdvancedPageClosing,      // the macro editor lets go of the page's controls
  DestroyAdvancedControls,  // the page's four child windows
  Repaint,                  // invalidate `area`, with erasing
  CreateAdvancedControls,
  UpdateNow,                // paint what is invalid at once
  AdvancedPageOpened,       // the macro editor takes the controls and fills the lists
  StartColourPreview,       // its running flag is claimed already
  EndMacroEditing,          // the recording, an in-place delay edit and the keyboard hook end
  WindowDrag,               // the caption drag from (x, y), client coordinates
  Minimise,                 // with (x, y)
  SendClose,                // as WM_CLOSE does: the window hides
  OpenWebLink,
  ShowMessage,              // `message`
  // The person chooses a file of kind `file`; fails when they cancel.
  AskOpenFile,
  AskSaveFile,
  // The record, the macro tables and their files; `path` is the chosen file.
  SaveConfiguration,        // the current configuration into config.ini
  ImportProfile,            // fails when the file holds no profile
  ExportProfile,
  ImportMacros,             // fails when the file holds no macros
  ExportMacros,
  RunHideCommand,
  LoadConfiguration,        // the (new) current configuration
  ResetConfigurations,      // the factory configurations
  ResetMacros,              // the factory macros; the list is refilled on the way when `refillMacroList`
  // The button-function pop-up of main entry `entry`.
  PlacePopup,               // under the entry, wherever the window is now
  AskWarning,               // fails when the person cancels
  OpenPopupMenu,
  // The rest of the window.
  AddOrSelectMacro,
  DeleteMacro,
  ToggleRecording,
  CommitRepeatCount,
  ToggleRepeatMode,
  MacrosReloaded,           // the macro list shows the replaced table
  Download,
  Applied,                  // the person's own choices of configuration, for profile switching
  ConfigurationChosen,
  FactoryResetDone,
  SwitchLanguage,           // to `languageFlag`
};

enum class FileKind : std::uint8_t { Profile, Macros };
std::u16string_view Extension(FileKind kind);  // without the dot

struct InputStep {
  StepKind kind = StepKind::UpdateNow;
  RepaintArea area = RepaintArea::None;
  std::int32_t x = 0;
  std::int32_t y = 0;
  FileKind file = FileKind::Profile;
  std::u16string path;
  std::u16string_view message;
  std::uint8_t languageFlag = 0;
  std::int32_t entry = 0;
  bool refillMacroList = false;

  bool operator==(const InputStep&) const = default;
};

// How a step went. Only the questions and the imports can fail; a chosen
// file's path goes to the steps after it that work on a file.
struct StepOutcome {
  bool succeeded = true;
  std::u16string path;
};

class InputSteps {
 public:
  // `ui` after the core has acted on the movement or click; `languageFlag`
  // chooses the language of any message.
  InputSteps(const InputRequest& request, const UiState& ui, std::uint8_t languageFlag);

  // The step to carry out now, or nullptr when there is none left. Valid
  // until the next call.
  const InputStep* Next();
  // How the step Next handed out went. The failure of a question or an
  // import replaces the rest of its command with what follows that failure
  // (often nothing); other steps cannot fail.
  void Report(const StepOutcome& outcome);

 private:
  std::vector<InputStep> steps_;
  std::size_t next_ = 0;        // the step after the one handed out
  std::size_t commandBegin_ = 0;  // the command's steps, between what the window does around it
  std::size_t commandEnd_ = 0;
  std::uint8_t languageFlag_ = 0;
};

}  // namespace zr
