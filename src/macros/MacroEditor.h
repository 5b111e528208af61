// The macro editor of the advanced page: the macro list, the step list with
// its context commands, the repeat mode, and the keyboard recorder. It works
// on the macro tables and its own state, and reaches the page's controls only
// through the views, which exist while the advanced page is showing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "macros/MacroEditorState.h"
#include "macros/MacroEditorViews.h"
#include "macros/MacroRecord.h"
#include "platform/UserNotices.h"
#include "platform/WindowRepaint.h"

namespace zr {

// The advanced page's controls, by their window ids: the main window makes
// them with these ids, and the editor finds them by them.
namespace editor_control {
inline constexpr int kMacroNameEdit = 10000;
inline constexpr int kMacroList = 10001;
inline constexpr int kStepList = 10002;
inline constexpr int kRepeatCountEdit = 10004;
}  // namespace editor_control

inline constexpr std::u16string_view kOverflowMessage = u"Overflow!!!";
inline constexpr std::uint16_t kDefaultStepDelay = 30;
inline constexpr int kMaxRecordedPresses = 108;
inline constexpr int kMaxRecordedEvents = 216;

// The key messages the recorder takes, by their window-message ids.
inline constexpr std::uint32_t kKeyDownMessage = 0x100;
inline constexpr std::uint32_t kKeyUpMessage = 0x101;
inline constexpr std::uint32_t kSysKeyDownMessage = 0x104;
inline constexpr std::uint32_t kSysKeyUpMessage = 0x105;

struct KeyMessage {
  std::uint32_t messageId = 0;
  std::uint32_t virtualKey = 0;
  // When the key went down or up: the system's millisecond tick as the
  // keyboard stamped the event, which wraps every 2^32 ms.
  std::uint32_t eventTime = 0;
};

enum class KeyMessageOutcome {
  kNotForRecorder,  // not recording, or not a key message
  kRecorded,
  kDropped,         // auto-repeat or a limit: looked at and forgotten
  kPassedOn,        // to the window's default key handling, as if never recorded
};

// The gap since the previous recorded event, in ms, and the clock moved on.
// Event times wrap, so a gap is their difference modulo 2^32; a time stamped
// before the previous one (injected input may carry any time) gives no gap,
// and every gap is held to what a step's delay can store.
std::uint16_t EventClockStep(std::uint32_t& eventClock, std::uint32_t now);

struct MacroEditorViews {
  TextField* macroName = nullptr;
  ListView* macroList = nullptr;
  StepListView* stepList = nullptr;
  TextField* repeatCount = nullptr;
};

struct MacroEditorServices {
  UserNotices& notices;
  std::u16string overflowCaption;  // the application's title
  WindowRepaint& repaint;
  KeyboardHook& hook;
  MacroTableSaver& saver;
};

class MacroEditor {
 public:
  MacroEditor(MacroTables& tables, MacroEditorState& state, MacroEditorServices services);

  // The advanced page's controls came or went. Leaving the page while
  // recording stops the recording, so no keystroke is captured for an editor
  // the user cannot see.
  void Attach(const MacroEditorViews& views);
  void Detach();
  bool Attached() const { return attached_; }

  void RefillMacroList();
  void MacroSelectionChanged();
  void ShowMacroSteps(int m);
  void AppendEventRows(int m, int k);

  void AddOrSelectMacro();
  void DeleteMacro();
  void ToggleRecording();
  void ToggleRepeatMode();
  // The repeat-count edit's number, held to 1..65535, becomes the current
  // macro's count, and the table is saved.
  void CommitRepeatCount();

  // Ends a recording without touching the controls, and removes the hook.
  void StopRecording();
  bool Recording() const { return state_.recording != 0; }

  KeyMessageOutcome RecordKeyMessage(const KeyMessage& message);

  // A right button went up over the window on the advanced page. True when
  // the step context menu is to be shown at the cursor.
  bool RightClicked(ScreenPoint cursor);
  // False for an id that is not a step command.
  bool RunStepCommand(int commandId);
  // The in-place edit of the step list ended: the edited delay row becomes
  // the delay of the selected event, and the list is rebuilt either way.
  void CommitStepDelay();

 private:
  int MacroCount() const;
  KeyMessageOutcome RecordEvent(const KeyMessage& message);
  MacroRecord& Slot(int m) { return tables_.macros[static_cast<std::size_t>(m)]; }
  void InsertEvent(int c, int p, std::uint8_t key, std::uint8_t action);
  void DeleteSelectedEvent(int c);
  void StoreEditedDelay(int c);

  MacroTables& tables_;
  MacroEditorState& state_;
  MacroEditorServices services_;
  MacroEditorViews views_;
  bool attached_ = false;
};

}  // namespace zr
