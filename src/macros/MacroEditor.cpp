#include "macros/MacroEditor.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "macros/KeyCodes.h"
#include "macros/StepCommands.h"
#include "macros/StepText.h"
#include "platform/Text.h"

namespace zr {
namespace {

constexpr std::uint32_t kLongestDelay = 65535;
// Half the tick's range: a difference beyond it is an earlier time, not a pause of 25 days.
constexpr std::uint32_t kLongestForwardGap = 0x7FFF'FFFF;
constexpr int kLastContextMacro = kUserMacroSlots - 1;

void DeleteAllRows(ListView& list) {
  for (int row = list.RowCount() - 1; row >= 0; --row) list.DeleteRow(row);
}

bool IsKeyDown(std::uint32_t id) { return id == kKeyDownMessage || id == kSysKeyDownMessage; }
bool IsKeyUp(std::uint32_t id) { return id == kKeyUpMessage || id == kSysKeyUpMessage; }

bool IsUserSlot(int m) { return m >= 0 && m < kUserMacroSlots; }

// The name as the slot will hold it, so that a name too long for the slot
// finds its macro again instead of adding a second one.
std::u16string StoredName(std::u16string_view name) {
  MacroRecord record;
  SetMacroName(record, name);
  return MacroName(record);
}

}  // namespace

std::uint16_t EventClockStep(std::uint32_t& eventClock, std::uint32_t now) {
  const std::uint32_t gap = now - eventClock;  // unsigned: a wrap in between costs nothing
  eventClock = now;
  if (gap > kLongestForwardGap) return 0;
  return static_cast<std::uint16_t>(std::min(gap, kLongestDelay));
}

MacroEditor::MacroEditor(MacroTables& tables, MacroEditorState& state, MacroEditorServices services)
    : tables_(tables), state_(state), services_(std::move(services)) {}

void MacroEditor::Attach(const MacroEditorViews& views) {
  views_ = views;
  attached_ = views.macroName && views.macroList && views.stepList && views.repeatCount;
}

void MacroEditor::Detach() {
  StopRecording();
  views_ = {};
  attached_ = false;
}

int MacroEditor::MacroCount() const { return std::clamp<int>(tables_.macroCount, 0, kUserMacroSlots); }

void MacroEditor::RefillMacroList() {
  if (!attached_) return;
  ListView& list = *views_.macroList;
  DeleteAllRows(list);
  const int count = MacroCount();
  for (int i = 0; i < count; ++i) list.AddRow(MacroName(Slot(i)));
  if (count == 0) return;
  tables_.currentMacro = std::clamp(tables_.currentMacro, 0, std::max(list.RowCount() - 1, 0));
  list.Select(tables_.currentMacro);
  MacroSelectionChanged();
}

void MacroEditor::MacroSelectionChanged() {
  if (!attached_) return;
  const int selection = views_.macroList->Selection();
  if (!IsUserSlot(selection)) return;
  tables_.currentMacro = selection;
  views_.macroName->SetText(views_.macroList->RowText(selection));
  ShowMacroSteps(selection);
}

void MacroEditor::ShowMacroSteps(int m) {
  if (!attached_ || !IsUserSlot(m)) return;
  DeleteAllRows(*views_.stepList);
  state_.pressCount = 0;
  state_.releaseCount = 0;
  const MacroRecord& record = Slot(m);
  if (record.eventCount == 0) return;
  for (int k = 0; k < record.eventCount; ++k) AppendEventRows(m, k);
  if (record.repeatMode == 1) {
    views_.repeatCount->SetText(DecimalText(record.repeatCount));
    views_.repeatCount->SetEnabled(true);
  } else {
    views_.repeatCount->SetText(u"1");
    views_.repeatCount->SetEnabled(false);
  }
}

void MacroEditor::AppendEventRows(int m, int k) {
  if (!attached_ || !IsUserSlot(m) || k < 0) return;
  const MacroRecord& record = Slot(m);
  const StepRows rows = StepText(record, static_cast<std::size_t>(k));
  StepListView& steps = *views_.stepList;
  if (rows.delayRow) steps.AddRow(*rows.delayRow);
  steps.AddRow(rows.keyRow);
  const std::uint8_t action = record.events[static_cast<std::size_t>(k)].action;
  if (action == kKeyPress) ++state_.pressCount;
  if (action == kKeyRelease) ++state_.releaseCount;
  services_.repaint.RepaintWholeWindow();
  steps.Select(Recording() ? steps.RowCount() - 1 : state_.selectedRow);
}

void MacroEditor::AddOrSelectMacro() {
  if (!attached_) return;
  const std::u16string name = StoredName(views_.macroName->Text());
  views_.macroList->Focus();
  const int count = MacroCount();
  if (count >= kUserMacroSlots || name.empty()) return;
  int i = 0;
  while (i < count && MacroName(Slot(i)) != name) ++i;
  tables_.currentMacro = i;
  if (i == count) {
    {
      std::lock_guard lock(tables_.mutex);
      SetMacroName(Slot(i), name);
      tables_.macroCount = static_cast<std::int16_t>(count + 1);
    }
    DeleteAllRows(*views_.stepList);
    views_.macroList->AddRow(name);
  }
  views_.macroList->Select(i);
}

void MacroEditor::DeleteMacro() {
  if (!attached_ || Recording() || views_.macroList->RowCount() == 0) return;
  const int s = views_.macroList->Selection();
  const int n = MacroCount();
  // With no row selected there is no macro to delete.
  if (s < 0 || s >= n) return;
  {
    std::lock_guard lock(tables_.mutex);
    for (int j = s; j < n - 1; ++j) Slot(j) = Slot(j + 1);
  }
  views_.macroList->DeleteRow(s);
  const int t = s > 0 ? s - 1 : 0;
  views_.macroList->Select(t);
  tables_.currentMacro = t;
  if (views_.macroList->RowCount() > 0) {
    views_.macroName->SetText(views_.macroList->RowText(t));
  } else {
    views_.macroName->SetText(u"");
    views_.repeatCount->SetText(u"1");
    views_.repeatCount->SetEnabled(false);
  }
  {
    std::lock_guard lock(tables_.mutex);
    MacroRecord& freed = Slot(n - 1);
    freed.repeatMode = 0;
    freed.repeatCount = 1;
    freed.eventCount = 0;
    tables_.macroCount = static_cast<std::int16_t>(n - 1);
  }
  ShowMacroSteps(t);
}

void MacroEditor::ToggleRepeatMode() {
  if (!attached_ || !IsUserSlot(tables_.currentMacro)) return;
  MacroRecord& record = Slot(tables_.currentMacro);
  const std::u16string count = DecimalText(record.repeatCount);
  const bool repeating = record.repeatMode == 0;
  {
    std::lock_guard lock(tables_.mutex);
    record.repeatMode = repeating ? 1 : 0;
  }
  if (repeating) {
    views_.repeatCount->SetText(count);
    views_.repeatCount->SetEnabled(true);
  } else {
    views_.repeatCount->SetText(u"1");
    views_.repeatCount->SetEnabled(false);
  }
  services_.repaint.RepaintWholeWindow();
}

void MacroEditor::CommitRepeatCount() {
  if (!attached_ || !IsUserSlot(tables_.currentMacro)) return;
  const int count = std::clamp(DecimalValue(views_.repeatCount->Text()), 1, 65535);
  views_.repeatCount->SetText(DecimalText(count));
  {
    std::lock_guard lock(tables_.mutex);
    Slot(tables_.currentMacro).repeatCount = static_cast<std::uint16_t>(count);
  }
  services_.saver.SaveMacroTable();
}

void MacroEditor::ToggleRecording() {
  if (!attached_) return;
  views_.stepList->Focus();
  if (views_.macroList->RowCount() == 0) return;
  if (Recording()) {
    StopRecording();
    return;
  }
  state_.recording = 1;
  const int r = std::clamp(views_.macroList->Selection(), 0, kLastContextMacro);
  state_.heldCount = 0;
  state_.heldKeys.fill(0);
  // A key message of an earlier recording must not make the first key of
  // this one look like auto-repeat.
  state_.lastKeyMessage = 0;
  state_.lastKeyCode = 0;
  if (!services_.hook.Installed()) services_.hook.Install();
  state_.recordingTarget = r;
  state_.pressCount = 0;
  state_.releaseCount = 0;
  state_.recordedEventCount = 0;
  {
    std::lock_guard lock(tables_.mutex);
    MacroRecord& target = Slot(r);
    target = tables_.macros[kTemplateSlot];
    SetMacroName(target, views_.macroList->RowText(r));
    target.repeatMode = 0;
    target.repeatCount = 1;
  }
  tables_.currentMacro = r;
  views_.repeatCount->SetText(u"1");
  views_.repeatCount->SetEnabled(false);
  DeleteAllRows(*views_.stepList);
}

void MacroEditor::StopRecording() {
  if (Recording()) {
    state_.recording = 0;
    if (IsUserSlot(state_.recordingTarget)) {
      std::lock_guard lock(tables_.mutex);
      Slot(state_.recordingTarget).eventCount =
          static_cast<std::uint8_t>(std::clamp(state_.recordedEventCount, 0, kMaxRecordedEvents));
    }
  }
  if (services_.hook.Installed()) services_.hook.Remove();
}

KeyMessageOutcome MacroEditor::RecordKeyMessage(const KeyMessage& message) {
  const std::uint32_t id = message.messageId;
  if (!Recording() || !(IsKeyDown(id) || IsKeyUp(id))) return KeyMessageOutcome::kNotForRecorder;
  KeyMessageOutcome outcome = KeyMessageOutcome::kDropped;
  const bool repeated = id == state_.lastKeyMessage && message.virtualKey == state_.lastKeyCode;
  const bool full = state_.recordedEventCount >= kMaxRecordedEvents || !IsUserSlot(state_.recordingTarget);
  if (!repeated && !full) {
    outcome = RecordEvent(message);
    // Handed on as if the recorder had never seen it: the next message is
    // still compared with the one before.
    if (outcome == KeyMessageOutcome::kPassedOn) return outcome;
  }
  state_.lastKeyMessage = id;
  state_.lastKeyCode = message.virtualKey;
  return outcome;
}

KeyMessageOutcome MacroEditor::RecordEvent(const KeyMessage& message) {
  const bool down = IsKeyDown(message.messageId);
  const std::uint8_t vk = static_cast<std::uint8_t>(message.virtualKey & 0xFF);
  if (down && state_.pressCount >= kMaxRecordedPresses) return KeyMessageOutcome::kPassedOn;
  std::uint8_t action = kKeyPress;
  if (down) {
    // A tenth key held at once has no place in the held-key list; leaving
    // it out, and so its release too, keeps every release matched.
    if (state_.heldCount >= static_cast<int>(kMaxHeldKeys)) return KeyMessageOutcome::kDropped;
    state_.heldKeys[static_cast<std::size_t>(state_.heldCount++)] = vk;
  } else {
    const auto held = state_.heldKeys.begin() + state_.heldCount;
    const auto found = std::find(state_.heldKeys.begin(), held, vk);
    // Pressed before the recording started.
    if (found == held) return KeyMessageOutcome::kPassedOn;
    std::move(found + 1, state_.heldKeys.end(), found);
    state_.heldKeys.back() = 0;
    --state_.heldCount;
    action = kKeyRelease;
  }
  const int k = state_.recordedEventCount;
  const std::uint16_t gap = EventClockStep(state_.eventClock, message.eventTime);
  {
    std::lock_guard lock(tables_.mutex);
    MacroRecord& target = Slot(state_.recordingTarget);
    target.events[static_cast<std::size_t>(k)] = {KeyCodeFromVirtualKey(vk), action};
    if (k > 0) target.delays[static_cast<std::size_t>(k - 1)] = gap;
    // Every recorded macro ends on the default delay, one of a single event too.
    target.delays[static_cast<std::size_t>(k)] = kDefaultStepDelay;
  }
  AppendEventRows(state_.recordingTarget, k);
  ++state_.recordedEventCount;
  return KeyMessageOutcome::kRecorded;
}

bool MacroEditor::RightClicked(ScreenPoint cursor) {
  if (!attached_ || Recording()) return false;
  StepListView& steps = *views_.stepList;
  const PixelRect bounds = steps.ScreenBounds();
  const int height = steps.ItemHeight();
  const int row = height == 0 ? 0 : (height * steps.ScrollPosition() + cursor.y - bounds.top) / height;
  state_.selectedRow = row;
  steps.Select(row);
  const int rows = steps.RowCount();
  state_.rowCountAtRightClick = rows;
  const bool onARow = bounds.Contains(cursor) && (row < rows || rows == 0);
  state_.contextMacro = std::min(views_.macroList->Selection(), kLastContextMacro);
  state_.selectedEvent = steps.Selection() / 2;
  // Without a macro the commands would have no slot to act on.
  return onARow && IsUserSlot(state_.contextMacro);
}

bool MacroEditor::RunStepCommand(int commandId) {
  const std::optional<StepCommand> command = StepCommandFor(commandId);
  if (!command) return false;
  const int c = state_.contextMacro;
  if (!attached_ || Recording() || !IsUserSlot(c)) return true;
  switch (command->kind) {
    case StepCommandKind::kInsertBefore:
      InsertEvent(c, state_.selectedEvent, command->key, command->action);
      ShowMacroSteps(c);
      break;
    case StepCommandKind::kInsertAfter:
      if (views_.stepList->RowCount() > 0) {
        InsertEvent(c, state_.selectedEvent + 1, command->key, command->action);
      } else {
        InsertEvent(c, 0, command->key, command->action);
        state_.selectedRow = 0;
      }
      ShowMacroSteps(c);
      break;
    case StepCommandKind::kDelete:
      DeleteSelectedEvent(c);
      ShowMacroSteps(c);
      break;
    case StepCommandKind::kModifyDelay:
      if (state_.rowCountAtRightClick != 0 && state_.selectedRow % 2 == 1) views_.stepList->OpenInPlaceEdit();
      break;
  }
  return true;
}

void MacroEditor::InsertEvent(int c, int p, std::uint8_t key, std::uint8_t action) {
  MacroRecord& record = Slot(c);
  const int n = record.eventCount;
  if (n + 1 > kMaxMacroEvents) {
    services_.notices.ShowMessage(kOverflowMessage, services_.overflowCaption);
    return;
  }
  // Past the last event the gap would fill with whatever the slot held.
  p = std::clamp(p, 0, n);
  {
    std::lock_guard lock(tables_.mutex);
    record.eventCount = static_cast<std::uint8_t>(n + 1);
    for (int j = n - 1; j >= p; --j) {
      record.events[static_cast<std::size_t>(j + 1)] = record.events[static_cast<std::size_t>(j)];
      record.delays[static_cast<std::size_t>(j + 1)] = record.delays[static_cast<std::size_t>(j)];
    }
    record.events[static_cast<std::size_t>(p)] = {key, action};
    record.delays[static_cast<std::size_t>(p)] = kDefaultStepDelay;
  }
  state_.selectedRow += 2;
}

void MacroEditor::DeleteSelectedEvent(int c) {
  MacroRecord& record = Slot(c);
  const int count = record.eventCount > 0 ? record.eventCount - 1 : 0;
  {
    std::lock_guard lock(tables_.mutex);
    record.eventCount = static_cast<std::uint8_t>(count);
    for (int j = std::max(state_.selectedEvent, 0); j < count; ++j) {
      record.events[static_cast<std::size_t>(j)] = record.events[static_cast<std::size_t>(j + 1)];
      record.delays[static_cast<std::size_t>(j)] = record.delays[static_cast<std::size_t>(j + 1)];
    }
  }
  state_.selectedRow = state_.selectedRow >= 3 ? state_.selectedRow - 2 : 0;
}

void MacroEditor::CommitStepDelay() {
  if (!attached_) return;
  const int c = state_.contextMacro;
  // Whatever the edit left in its row, the list shows the steps again: a
  // key row keeps no typed number, a refused number leaves its old delay.
  const int shown = IsUserSlot(c) ? c : tables_.currentMacro;
  StoreEditedDelay(c);
  ShowMacroSteps(shown);
}

void MacroEditor::StoreEditedDelay(int c) {
  const int row = state_.selectedRow;
  const int e = state_.selectedEvent;
  // Only a delay row holds a delay: an edit that ended on a key row (Ctrl+A
  // typed into the list opens one too) would otherwise zero a delay.
  if (!IsUserSlot(c) || row < 0 || row % 2 != 1 || row >= views_.stepList->RowCount()) return;
  if (e < 0 || e >= static_cast<int>(kMacroEventSlots)) return;
  std::u16string text = views_.stepList->RowText(row);
  if (const std::size_t ms = text.find(u"ms"); ms != std::u16string::npos) text.resize(ms);
  // Held to what a delay can store, rather than wrapped round to a short one.
  const int delay = std::clamp(DecimalValue(text), 0, 65535);
  std::lock_guard lock(tables_.mutex);
  Slot(c).delays[static_cast<std::size_t>(e)] = static_cast<std::uint16_t>(delay);
}

}  // namespace zr
