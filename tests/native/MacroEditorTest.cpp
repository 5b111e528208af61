#include <gtest/gtest.h>

#include <vector>

#include "macros/InPlaceEdit.h"
#include "macros/KeyCodes.h"
#include "macros/MacroEditor.h"
#include "macros/RecorderKeyGate.h"
#include "macros/StepCommands.h"
#include "platform/Text.h"
#include "resource.h"
#include "shared/RecordingEditorViews.h"
#include "shared/RecordingNotices.h"

namespace zr::test {
namespace {

constexpr std::uint32_t kVkA = 0x41;
constexpr std::uint32_t kVkB = 0x42;
constexpr std::uint32_t kVkLeftShift = 0xA0;
constexpr std::u16string_view kCaption = u"ZR305 Gaming Mouse Driver";

class MacroEditorTest : public ::testing::Test {
 protected:
  MacroEditorTest() : editor(tables, state, {notices, std::u16string(kCaption), repaint, hook, saver}) {
    editor.Attach({&nameEdit, &macroList, &stepList, &repeatEdit});
  }

  void AddMacro(std::u16string_view name) {
    nameEdit.text = name;
    editor.AddOrSelectMacro();
  }
  // A macro with `count` events: presses and releases of A, 10 ms apart.
  void AddMacroWithEvents(std::u16string_view name, int count) {
    AddMacro(name);
    MacroRecord& record = tables.macros[static_cast<std::size_t>(tables.macroCount - 1)];
    record.eventCount = static_cast<std::uint8_t>(count);
    for (int k = 0; k < count; ++k) {
      record.events[static_cast<std::size_t>(k)] = {4, static_cast<std::uint8_t>(k % 2 == 0 ? kKeyPress : kKeyRelease)};
      record.delays[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(10 * (k + 1));
    }
    editor.MacroSelectionChanged();
  }
  KeyMessageOutcome Key(std::uint32_t id, std::uint32_t vk) { return editor.RecordKeyMessage({id, vk, now}); }
  KeyMessageOutcome Down(std::uint32_t vk) { return Key(kKeyDownMessage, vk); }
  KeyMessageOutcome Up(std::uint32_t vk) { return Key(kKeyUpMessage, vk); }
  // A right click in the middle of a step-list row.
  bool RightClickRow(int row) {
    return editor.RightClicked({150, stepList.bounds.top + row * stepList.itemHeight + stepList.itemHeight / 2});
  }
  const MacroRecord& Macro(int slot) const { return tables.macros[static_cast<std::size_t>(slot)]; }
  std::vector<MacroEvent> Events(int slot) const {
    const MacroRecord& record = Macro(slot);
    return {record.events.begin(), record.events.begin() + record.eventCount};
  }

  MacroTables tables;
  MacroEditorState state;
  RecordingNotices notices;
  EditorRepaintCount repaint;
  RecordingHook hook;
  CountingSaver saver;
  RecordingField nameEdit, repeatEdit;
  RecordingList macroList, stepList;
  MacroEditor editor;
  std::uint32_t now = 1'000'000;
};

TEST_F(MacroEditorTest, RecordsAPressAndItsReleaseWithTheGapBetween) {
  AddMacro(u"Burst");
  editor.ToggleRecording();
  EXPECT_TRUE(hook.installed);
  EXPECT_EQ(Down(kVkA), KeyMessageOutcome::kRecorded);
  now += 120;
  EXPECT_EQ(Up(kVkA), KeyMessageOutcome::kRecorded);
  editor.ToggleRecording();

  EXPECT_FALSE(hook.installed);
  EXPECT_EQ(hook.removals, 1);
  const MacroRecord& macro = Macro(0);
  EXPECT_EQ(Events(0), (std::vector<MacroEvent>{{4, kKeyPress}, {4, kKeyRelease}}));
  EXPECT_EQ(macro.delays[0], 120);
  EXPECT_EQ(macro.delays[1], 30);
  EXPECT_EQ(MacroName(macro), u"Burst");
  EXPECT_EQ(macro.repeatMode, 0);
  EXPECT_EQ(macro.repeatCount, 1);
  EXPECT_EQ(stepList.rows, (std::vector<std::u16string>{u"[↓]A", u"    120ms", u"[↑]A"}));
  EXPECT_EQ(stepList.selection, 2);  // the last row while recording
  EXPECT_EQ(state.pressCount, 1);
  EXPECT_EQ(state.releaseCount, 1);
}

TEST_F(MacroEditorTest, RecordingReplacesTheMacroAndKeysAfterStoppingAreIgnored) {
  AddMacroWithEvents(u"Old", 6);
  tables.macros[0].repeatMode = 1;
  tables.macros[0].repeatCount = 9;
  repeatEdit.enabled = true;
  editor.ToggleRecording();
  EXPECT_TRUE(stepList.rows.empty());
  EXPECT_EQ(repeatEdit.text, u"1");
  EXPECT_FALSE(repeatEdit.enabled);
  Down(kVkB);
  editor.ToggleRecording();
  EXPECT_EQ(Down(kVkA), KeyMessageOutcome::kNotForRecorder);
  EXPECT_EQ(Events(0), (std::vector<MacroEvent>{{5, kKeyPress}}));
  EXPECT_EQ(Macro(0).delays[0], 30);  // a single event ends on the default delay too
  EXPECT_EQ(Macro(0).repeatCount, 1);
}

TEST_F(MacroEditorTest, AutoRepeatAndModifiersKeepTheirOrder) {
  AddMacro(u"Shifted");
  editor.ToggleRecording();
  EXPECT_EQ(Down(kVkLeftShift), KeyMessageOutcome::kRecorded);
  EXPECT_EQ(Down(kVkLeftShift), KeyMessageOutcome::kDropped);  // the key repeating while held
  EXPECT_EQ(Down(kVkLeftShift), KeyMessageOutcome::kDropped);
  Down(kVkA);
  Up(kVkA);
  Up(kVkLeftShift);
  // Alt combinations arrive as system keys and record the same way.
  Key(kSysKeyDownMessage, kVkB);
  Key(kSysKeyUpMessage, kVkB);
  editor.ToggleRecording();
  EXPECT_EQ(Events(0), (std::vector<MacroEvent>{{225, kKeyPress},
                                                {4, kKeyPress},
                                                {4, kKeyRelease},
                                                {225, kKeyRelease},
                                                {5, kKeyPress},
                                                {5, kKeyRelease}}));
  EXPECT_EQ(state.heldCount, 0);
}

TEST_F(MacroEditorTest, ReleasesWithoutARecordedPressArePassedOn) {
  AddMacro(u"M");
  editor.ToggleRecording();
  EXPECT_EQ(Up(kVkA), KeyMessageOutcome::kPassedOn);  // held since before the recording
  // Passing it on does not count as seen: the same release again is looked at again.
  EXPECT_EQ(Up(kVkA), KeyMessageOutcome::kPassedOn);
  EXPECT_EQ(Key(0x102 /* WM_CHAR */, 'a'), KeyMessageOutcome::kNotForRecorder);
  editor.ToggleRecording();
  EXPECT_TRUE(Events(0).empty());
}

TEST_F(MacroEditorTest, StopsTakingPressesAt108AndEventsAt216) {
  AddMacro(u"Long");
  editor.ToggleRecording();
  for (int i = 0; i < 107; ++i) {
    ASSERT_EQ(Down(kVkA), KeyMessageOutcome::kRecorded) << i;
    ASSERT_EQ(Up(kVkA), KeyMessageOutcome::kRecorded) << i;
  }
  EXPECT_EQ(Down(kVkB), KeyMessageOutcome::kRecorded);  // press 108
  EXPECT_EQ(Down(kVkA), KeyMessageOutcome::kPassedOn);
  EXPECT_EQ(Up(kVkA), KeyMessageOutcome::kPassedOn);  // its press was not recorded
  EXPECT_EQ(Up(kVkB), KeyMessageOutcome::kRecorded);  // event 216
  EXPECT_EQ(Down(kVkA), KeyMessageOutcome::kDropped);
  EXPECT_EQ(Key(kSysKeyUpMessage, kVkB), KeyMessageOutcome::kDropped);
  editor.ToggleRecording();
  EXPECT_EQ(Macro(0).eventCount, 216);
  EXPECT_EQ(Macro(0).events[215], (MacroEvent{5, kKeyRelease}));
  EXPECT_EQ(state.pressCount, 108);
  EXPECT_EQ(stepList.RowCount(), 2 * 216 - 1);
}

TEST_F(MacroEditorTest, ATenthHeldKeyIsNotRecordedNorItsRelease) {
  AddMacro(u"Chord");
  editor.ToggleRecording();
  for (std::uint32_t vk = kVkA; vk < kVkA + 9; ++vk) ASSERT_EQ(Down(vk), KeyMessageOutcome::kRecorded);
  EXPECT_EQ(Down(kVkA + 9), KeyMessageOutcome::kDropped);
  EXPECT_EQ(Up(kVkA + 9), KeyMessageOutcome::kPassedOn);
  // Released out of order: each release still finds its own press.
  for (std::uint32_t vk : {kVkA + 4, kVkA, kVkA + 8, kVkA + 1, kVkA + 2, kVkA + 3, kVkA + 5, kVkA + 6, kVkA + 7})
    ASSERT_EQ(Up(vk), KeyMessageOutcome::kRecorded) << vk;
  EXPECT_EQ(state.heldCount, 0);
  editor.ToggleRecording();
  EXPECT_EQ(Macro(0).eventCount, 18);
  EXPECT_EQ(Macro(0).events[9], (MacroEvent{KeyCodeFromVirtualKey(kVkA + 4), kKeyRelease}));
}

TEST(EventClock, MeasuresTheGapAcrossTheTickWrapAndHoldsItToWhatADelayStores) {
  struct Row {
    std::uint32_t previous, now;
    std::uint16_t gap;
  };
  const Row rows[] = {
      {1000, 1120, 120},
      {0xFFFF'FFC4, 60, 120},           // the tick wrapped in between
      {0, 65'535, 65'535},
      {0, 70'000, 65'535},              // a long pause is held, not wrapped
      {0xFFFF'0000, 100'000, 65'535},   // and so is one across the wrap
      {500, 500, 0},
      {2000, 1990, 0},                  // stamped before the event before it
      {100, 0x8000'0064, 0},            // half the tick's range apart reads as earlier
      {100, 0x8000'0063, 65'535},
  };
  for (const Row& row : rows) {
    std::uint32_t clock = row.previous;
    EXPECT_EQ(EventClockStep(clock, row.now), row.gap) << row.previous << " " << row.now;
    EXPECT_EQ(clock, row.now);
  }
}

TEST_F(MacroEditorTest, DelaysComeFromTheEventTimesNotFromWhenTheyAreHandled) {
  AddMacro(u"Late");
  now = 0xFFFF'FFFF - 40;
  editor.ToggleRecording();
  Down(kVkA);
  now = 60;  // the tick wrapped
  Up(kVkA);
  now = 60 + 7;
  Down(kVkB);
  Up(kVkB);  // handled in the same instant, as a busy window would
  editor.ToggleRecording();
  EXPECT_EQ(Macro(0).delays[0], 101);
  EXPECT_EQ(Macro(0).delays[1], 7);
  EXPECT_EQ(Macro(0).delays[2], 0);
  EXPECT_EQ(Macro(0).delays[3], kDefaultStepDelay);
}

TEST(RecorderKeyGate, TakesOnlyTheKeysThatWentDownWhileItWasIn) {
  constexpr std::uint32_t kShift = 0x10, kVkC = 0x43;
  RecorderKeyGate gate;
  gate.Begin([](std::uint32_t vk) { return vk == kShift || vk == kVkC; });
  // Held before: its auto-repeat and its release stay the system's.
  EXPECT_FALSE(gate.Take(kShift, true));
  EXPECT_FALSE(gate.Take(kShift, false));
  // Pressed again once it was up: now it is the recording's.
  EXPECT_TRUE(gate.Take(kShift, true));
  EXPECT_TRUE(gate.Take(kShift, true));  // auto-repeat of a taken key
  EXPECT_TRUE(gate.Take(kShift, false));
  // A release with no press seen (pressed while a window held the input).
  EXPECT_FALSE(gate.Take(kVkA, false));
  EXPECT_TRUE(gate.Take(kVkA, true));
  EXPECT_TRUE(gate.Take(kVkA, false));
  EXPECT_FALSE(gate.Take(kVkA, false));  // the same release twice goes on
  EXPECT_FALSE(gate.Take(kVkC, false));
  // A new recording forgets the old one's presses.
  EXPECT_TRUE(gate.Take(kVkB, true));
  gate.Begin([](std::uint32_t) { return false; });
  EXPECT_FALSE(gate.Take(kVkB, false));
  // Codes past a byte are the byte's key.
  EXPECT_TRUE(gate.Take(0x100 + kVkA, true));
  EXPECT_TRUE(gate.Take(kVkA, false));
}

TEST_F(MacroEditorTest, LeavingThePageOrShuttingDownEndsTheRecordingAndTheHook) {
  AddMacro(u"M");
  editor.ToggleRecording();
  Down(kVkA);
  editor.Detach();
  EXPECT_FALSE(editor.Recording());
  EXPECT_FALSE(hook.installed);
  EXPECT_EQ(Macro(0).eventCount, 1);
  // Without the page nothing touches the controls.
  editor.RefillMacroList();
  editor.ToggleRecording();
  EXPECT_FALSE(hook.installed);
  EXPECT_EQ(macroList.RowCount(), 1);
}

TEST_F(MacroEditorTest, RecordingWithoutMacrosDoesNothing) {
  editor.ToggleRecording();
  EXPECT_FALSE(editor.Recording());
  EXPECT_EQ(hook.installs, 0);
  EXPECT_EQ(stepList.focused, 1);
}

TEST_F(MacroEditorTest, AddingSelectsAnExistingNameAndStopsAtTwelveMacros) {
  AddMacro(u"One");
  AddMacro(u"Two");
  AddMacro(u"One");
  EXPECT_EQ(tables.macroCount, 2);
  EXPECT_EQ(macroList.selection, 0);
  EXPECT_EQ(tables.currentMacro, 0);
  AddMacro(u"one");  // names are told apart by case
  EXPECT_EQ(tables.macroCount, 3);
  AddMacro(u"");
  EXPECT_EQ(tables.macroCount, 3);
  for (int i = 3; i < 12; ++i) AddMacro(u"M" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
  EXPECT_EQ(tables.macroCount, 12);
  AddMacro(u"Thirteenth");
  EXPECT_EQ(tables.macroCount, 12);
  EXPECT_EQ(macroList.RowCount(), 12);
  EXPECT_EQ(Macro(kTemplateSlot), MacroRecord{});
}

TEST_F(MacroEditorTest, ANameTooLongForItsSlotFindsItsMacroAgain) {
  AddMacro(u"a name of twenty-five units");
  AddMacro(u"a name of twenty-five units");
  EXPECT_EQ(tables.macroCount, 1);
  EXPECT_EQ(macroList.rows[0], MacroName(Macro(0)));
}

TEST_F(MacroEditorTest, DeletingMovesTheLaterMacrosDownAndFreesTheLastSlot) {
  AddMacroWithEvents(u"A", 1);
  AddMacroWithEvents(u"B", 3);
  AddMacroWithEvents(u"C", 5);
  tables.macros[2].repeatMode = 1;
  tables.macros[2].repeatCount = 4;
  macroList.Select(1);
  editor.DeleteMacro();
  EXPECT_EQ(tables.macroCount, 2);
  EXPECT_EQ(macroList.rows, (std::vector<std::u16string>{u"A", u"C"}));
  EXPECT_EQ(MacroName(Macro(1)), u"C");
  EXPECT_EQ(Macro(1).eventCount, 5);
  EXPECT_EQ(Macro(2).eventCount, 0);
  EXPECT_EQ(Macro(2).repeatCount, 1);
  EXPECT_EQ(Macro(2).repeatMode, 0);
  EXPECT_EQ(tables.currentMacro, 0);
  EXPECT_EQ(macroList.selection, 0);
  EXPECT_EQ(nameEdit.text, u"A");
  EXPECT_EQ(stepList.RowCount(), 1);
}

TEST_F(MacroEditorTest, DeletingTheOnlyMacroEmptiesTheEdits) {
  AddMacroWithEvents(u"Only", 3);
  tables.macros[0].repeatMode = 1;
  tables.macros[0].repeatCount = 7;
  editor.ShowMacroSteps(0);
  ASSERT_TRUE(repeatEdit.enabled);
  editor.DeleteMacro();
  EXPECT_EQ(tables.macroCount, 0);
  EXPECT_TRUE(macroList.rows.empty());
  EXPECT_TRUE(stepList.rows.empty());
  EXPECT_EQ(nameEdit.text, u"");
  EXPECT_EQ(repeatEdit.text, u"1");
  EXPECT_FALSE(repeatEdit.enabled);
  editor.DeleteMacro();  // nothing left
  EXPECT_EQ(tables.macroCount, 0);
}

TEST_F(MacroEditorTest, DeletingIsInertWhileRecordingOrWithoutASelection) {
  AddMacro(u"A");
  AddMacro(u"B");
  macroList.selection = -1;
  editor.DeleteMacro();
  EXPECT_EQ(tables.macroCount, 2);
  macroList.Select(0);
  editor.ToggleRecording();
  editor.DeleteMacro();
  EXPECT_EQ(tables.macroCount, 2);
}

TEST_F(MacroEditorTest, RefillKeepsTheCurrentMacroWithinTheListAndShowsIt) {
  for (int i = 0; i < 3; ++i) {
    SetMacroName(tables.macros[static_cast<std::size_t>(i)], std::u16string(1, static_cast<char16_t>(u'A' + i)));
    tables.macros[static_cast<std::size_t>(i)].eventCount = static_cast<std::uint8_t>(i + 1);
  }
  tables.macroCount = 3;
  tables.currentMacro = 7;
  editor.RefillMacroList();
  EXPECT_EQ(macroList.rows, (std::vector<std::u16string>{u"A", u"B", u"C"}));
  EXPECT_EQ(tables.currentMacro, 2);
  EXPECT_EQ(macroList.selection, 2);
  EXPECT_EQ(nameEdit.text, u"C");
  EXPECT_EQ(stepList.RowCount(), 5);
  EXPECT_EQ(repeatEdit.text, u"1");
  EXPECT_FALSE(repeatEdit.enabled);

  tables.macroCount = 0;  // an empty file: the edits keep what they show
  editor.RefillMacroList();
  EXPECT_TRUE(macroList.rows.empty());
  EXPECT_EQ(nameEdit.text, u"C");
}

TEST_F(MacroEditorTest, RepeatModeTogglesTheEditAndKeepsTheStoredCount) {
  AddMacroWithEvents(u"R", 1);
  tables.macros[0].repeatCount = 12;
  editor.ToggleRepeatMode();
  EXPECT_EQ(Macro(0).repeatMode, 1);
  EXPECT_EQ(repeatEdit.text, u"12");
  EXPECT_TRUE(repeatEdit.enabled);
  editor.ToggleRepeatMode();
  EXPECT_EQ(Macro(0).repeatMode, 0);
  EXPECT_EQ(Macro(0).repeatCount, 12);
  EXPECT_EQ(repeatEdit.text, u"1");
  EXPECT_FALSE(repeatEdit.enabled);
  EXPECT_GE(repaint.requests, 2);
}

TEST_F(MacroEditorTest, CommittingTheRepeatCountHoldsItInRangeAndSaves) {
  AddMacro(u"R");
  for (auto [typed, kept] : {std::pair{u"0", u"1"}, {u"70000", u"65535"}, {u" 25x", u"25"}}) {
    repeatEdit.text = typed;
    editor.CommitRepeatCount();
    EXPECT_EQ(repeatEdit.text, kept);
    EXPECT_EQ(DecimalText(Macro(0).repeatCount), kept);
  }
  EXPECT_EQ(saver.saves, 3);
}

TEST_F(MacroEditorTest, TheRightClickPicksTheRowUnderTheCursorWithTheScroll) {
  AddMacroWithEvents(u"Steps", 10);  // 19 rows
  stepList.scroll = 3;
  EXPECT_TRUE(editor.RightClicked({150, stepList.bounds.top + 40}));  // (16 * 3 + 40) / 16
  EXPECT_EQ(state.selectedRow, 5);
  EXPECT_EQ(stepList.selection, 5);
  EXPECT_EQ(state.selectedEvent, 2);
  EXPECT_EQ(state.rowCountAtRightClick, 19);
  EXPECT_EQ(state.contextMacro, 0);

  stepList.scroll = 0;
  EXPECT_FALSE(editor.RightClicked({50, stepList.bounds.top + 40}));  // beside the list
  EXPECT_FALSE(editor.RightClicked({150, stepList.bounds.bottom}));   // the bottom edge is outside
  stepList.bounds.bottom = 1000;
  EXPECT_FALSE(RightClickRow(19));  // below the last row
  EXPECT_EQ(stepList.selection, -1);
  EXPECT_EQ(state.selectedEvent, 0);  // no selection counts as the first event
  stepList.itemHeight = 0;
  EXPECT_TRUE(editor.RightClicked({150, 300}));
  EXPECT_EQ(state.selectedRow, 0);
}

TEST_F(MacroEditorTest, TheMenuShowsOverAnEmptyStepListButNotWithoutMacrosOrWhileRecording) {
  EXPECT_FALSE(RightClickRow(0));
  EXPECT_EQ(state.contextMacro, -1);
  EXPECT_TRUE(editor.RunStepCommand(ID_STEP_AFTER_LEFT_DOWN));
  EXPECT_TRUE(editor.RunStepCommand(ID_STEP_DELETE_CN));
  EXPECT_EQ(Macro(0), MacroRecord{});
  EXPECT_EQ(Macro(kMacroSlots - 1), MacroRecord{});

  AddMacro(u"Empty");
  EXPECT_TRUE(RightClickRow(3));
  editor.ToggleRecording();
  EXPECT_FALSE(RightClickRow(0));
  EXPECT_TRUE(editor.RunStepCommand(ID_STEP_AFTER_LEFT_DOWN));
  editor.ToggleRecording();
  EXPECT_EQ(Macro(0).eventCount, 0);
}

TEST_F(MacroEditorTest, InsertAfterOnAnEmptyListAddsTheFirstEvent) {
  AddMacro(u"Clicks");
  ASSERT_TRUE(RightClickRow(0));
  EXPECT_TRUE(editor.RunStepCommand(ID_STEP_AFTER_RIGHT_DOWN_CN));
  EXPECT_EQ(Events(0), (std::vector<MacroEvent>{{kRightButtonKey, kKeyPress}}));
  EXPECT_EQ(Macro(0).delays[0], 30);
  EXPECT_EQ(state.selectedRow, 0);
  EXPECT_EQ(stepList.rows, (std::vector<std::u16string>{u"[↓]R-KEY"}));
  EXPECT_EQ(stepList.selection, 0);
}

TEST_F(MacroEditorTest, InsertionsGoBeforeOrAfterTheSelectedEventWithTheDefaultDelay) {
  AddMacroWithEvents(u"Steps", 3);  // delays 10, 20, 30
  ASSERT_TRUE(RightClickRow(3));    // the delay row before event 2: event 1
  editor.RunStepCommand(ID_STEP_BEFORE_MIDDLE_UP);
  EXPECT_EQ(Events(0), (std::vector<MacroEvent>{{4, 1}, {kMiddleButtonKey, kKeyRelease}, {4, 2}, {4, 1}}));
  EXPECT_EQ(std::vector<std::uint16_t>(Macro(0).delays.begin(), Macro(0).delays.begin() + 4),
            (std::vector<std::uint16_t>{10, 30, 20, 30}));
  EXPECT_EQ(state.selectedRow, 5);  // still on the row it was on, moved down with it
  EXPECT_EQ(stepList.selection, 5);

  ASSERT_TRUE(RightClickRow(6));  // event 3, the last
  editor.RunStepCommand(ID_STEP_AFTER_LEFT_DOWN);
  EXPECT_EQ(Events(0).back(), (MacroEvent{kLeftButtonKey, kKeyPress}));
  EXPECT_EQ(Macro(0).eventCount, 5);
  EXPECT_EQ(Macro(0).delays[3], 30);
  EXPECT_EQ(stepList.RowCount(), 9);
}

TEST_F(MacroEditorTest, InsertingIntoAFullMacroOverflowsAndChangesNothing) {
  AddMacroWithEvents(u"Full", kMaxMacroEvents);
  const MacroRecord before = Macro(0);
  ASSERT_TRUE(RightClickRow(4));
  const int row = state.selectedRow;
  editor.RunStepCommand(ID_STEP_BEFORE_LEFT_DOWN);
  editor.RunStepCommand(ID_STEP_AFTER_LEFT_UP_CN);
  EXPECT_EQ(Macro(0), before);
  EXPECT_EQ(state.selectedRow, row);
  EXPECT_EQ(notices.messages, (std::vector<ShownMessage>(2, {u"Overflow!!!", std::u16string(kCaption)})));

  macroList.Select(0);
  ASSERT_TRUE(RightClickRow(4));
  editor.RunStepCommand(ID_STEP_DELETE);
  editor.RunStepCommand(ID_STEP_AFTER_LEFT_UP);  // 254 again
  EXPECT_EQ(Macro(0).eventCount, kMaxMacroEvents);
  EXPECT_EQ(notices.messages.size(), 2u);
}

TEST_F(MacroEditorTest, DeleteOnADelayRowRemovesTheEventBeforeIt) {
  AddMacroWithEvents(u"Steps", 4);  // delays 10, 20, 30, 40
  ASSERT_TRUE(RightClickRow(5));    // 2k - 1 with k = 3
  editor.RunStepCommand(ID_STEP_DELETE_CN);
  EXPECT_EQ(Events(0), (std::vector<MacroEvent>{{4, 1}, {4, 2}, {4, 2}}));
  EXPECT_EQ(std::vector<std::uint16_t>(Macro(0).delays.begin(), Macro(0).delays.begin() + 3),
            (std::vector<std::uint16_t>{10, 20, 40}));
  EXPECT_EQ(state.selectedRow, 3);
  EXPECT_EQ(stepList.RowCount(), 5);

  ASSERT_TRUE(RightClickRow(0));
  editor.RunStepCommand(ID_STEP_DELETE);
  EXPECT_EQ(Events(0), (std::vector<MacroEvent>{{4, 2}, {4, 2}}));
  EXPECT_EQ(state.selectedRow, 0);
}

TEST_F(MacroEditorTest, ModifyDelayOpensTheEditOnlyOnADelayRow) {
  AddMacroWithEvents(u"Steps", 3);
  ASSERT_TRUE(RightClickRow(2));
  editor.RunStepCommand(ID_STEP_MODIFY_DELAY);
  EXPECT_EQ(stepList.editsOpened, 0);
  ASSERT_TRUE(RightClickRow(1));
  editor.RunStepCommand(ID_STEP_MODIFY_DELAY_CN);
  EXPECT_EQ(stepList.editsOpened, 1);
}

TEST_F(MacroEditorTest, TheEditedDelayRowBecomesTheDelayOfItsEvent) {
  AddMacroWithEvents(u"Steps", 3);
  ASSERT_TRUE(RightClickRow(3));
  editor.RunStepCommand(ID_STEP_MODIFY_DELAY);
  stepList.rows[3] = u"250ms";
  editor.CommitStepDelay();
  EXPECT_EQ(Macro(0).delays[1], 250);
  EXPECT_EQ(stepList.rows[3], u"    250ms");  // rebuilt

  stepList.rows[3] = u"70000";  // held, not wrapped round to 4464
  editor.CommitStepDelay();
  EXPECT_EQ(Macro(0).delays[1], 65535);
  stepList.rows[3] = u"-5";
  editor.CommitStepDelay();
  EXPECT_EQ(Macro(0).delays[1], 0);

  // An edit that ends with a key row selected keeps every delay, and the
  // row shows its key again rather than the typed number.
  const MacroRecord before = Macro(0);
  ASSERT_TRUE(RightClickRow(2));
  const std::u16string keyRow = stepList.rows[2];
  stepList.rows[2] = u"77";
  editor.CommitStepDelay();
  EXPECT_EQ(Macro(0), before);
  EXPECT_EQ(stepList.rows[2], keyRow);

  // So does one opened without a macro under the right-click: the list goes
  // back to the macro it shows.
  state.contextMacro = -1;
  stepList.rows[2] = u"88";
  editor.CommitStepDelay();
  EXPECT_EQ(Macro(0), before);
  EXPECT_EQ(stepList.rows[2], keyRow);
}

TEST(StepCommands, BothMenusAskForTheSameStepsAndOtherCommandsAreNotSteps) {
  const std::pair<int, int> pairs[] = {
      {ID_STEP_BEFORE_LEFT_DOWN, ID_STEP_BEFORE_LEFT_DOWN_CN},
      {ID_STEP_BEFORE_LEFT_UP, ID_STEP_BEFORE_LEFT_UP_CN},
      {ID_STEP_BEFORE_RIGHT_DOWN, ID_STEP_BEFORE_RIGHT_DOWN_CN},
      {ID_STEP_BEFORE_RIGHT_UP, ID_STEP_BEFORE_RIGHT_UP_CN},
      {ID_STEP_BEFORE_MIDDLE_DOWN, ID_STEP_BEFORE_MIDDLE_DOWN_CN},
      {ID_STEP_BEFORE_MIDDLE_UP, ID_STEP_BEFORE_MIDDLE_UP_CN},
      {ID_STEP_AFTER_LEFT_DOWN, ID_STEP_AFTER_LEFT_DOWN_CN},
      {ID_STEP_AFTER_LEFT_UP, ID_STEP_AFTER_LEFT_UP_CN},
      {ID_STEP_AFTER_RIGHT_DOWN, ID_STEP_AFTER_RIGHT_DOWN_CN},
      {ID_STEP_AFTER_RIGHT_UP, ID_STEP_AFTER_RIGHT_UP_CN},
      {ID_STEP_AFTER_MIDDLE_DOWN, ID_STEP_AFTER_MIDDLE_DOWN_CN},
      {ID_STEP_AFTER_MIDDLE_UP, ID_STEP_AFTER_MIDDLE_UP_CN},
      {ID_STEP_MODIFY_DELAY, ID_STEP_MODIFY_DELAY_CN},
      {ID_STEP_DELETE, ID_STEP_DELETE_CN},
  };
  for (auto [english, chinese] : pairs) {
    const auto a = StepCommandFor(english);
    const auto b = StepCommandFor(chinese);
    ASSERT_TRUE(a && b) << english;
    EXPECT_EQ(a->kind, b->kind) << english;
    EXPECT_EQ(a->key, b->key) << english;
    EXPECT_EQ(a->action, b->action) << english;
  }
  EXPECT_EQ(StepCommandFor(ID_STEP_AFTER_MIDDLE_UP)->key, kMiddleButtonKey);
  EXPECT_EQ(StepCommandFor(ID_STEP_BEFORE_RIGHT_UP)->action, kKeyRelease);
  // The tray menu's commands sit inside the same range.
  for (int other : {32800, 32801, 32808, 32837, 32838}) EXPECT_FALSE(StepCommandFor(other)) << other;
}

TEST(InPlaceEdit, OnlyCtrlAOrTheModifyCommandOpensAnEditAndOnlyOnce) {
  InPlaceEditArming arming;
  EXPECT_FALSE(arming.TakeBegin());  // Insert released, nothing armed
  arming.Arm(u'5');
  EXPECT_FALSE(arming.TakeBegin());
  arming.Arm(kEditArmingCode);
  EXPECT_TRUE(arming.TakeBegin());
  EXPECT_FALSE(arming.TakeBegin());  // a right click on the row afterwards opens no second edit
  arming.Arm(kEditArmingCode);
  arming.Arm(u'x');  // another key typed in between disarms it
  EXPECT_FALSE(arming.TakeBegin());
}

TEST(InPlaceEdit, EndingChangesTheRowOnlyForKeptChangedTextButAlwaysEnds) {
  EXPECT_EQ(DecideEditEnd(true, true, 3, u"250", u"    30ms"), (EditEnd{true, true}));
  EXPECT_EQ(DecideEditEnd(true, false, 3, u"250", u"    30ms").replaceRow, false);  // Escape
  EXPECT_EQ(DecideEditEnd(true, false, 3, u"250", u"    30ms").ended, true);
  EXPECT_EQ(DecideEditEnd(true, true, 3, u"    30ms", u"    30ms"), (EditEnd{false, true}));
  EXPECT_EQ(DecideEditEnd(true, true, -1, u"250", u"30"), (EditEnd{false, true}));
  EXPECT_EQ(DecideEditEnd(false, true, 3, u"250", u"30"), (EditEnd{false, false}));
  EXPECT_EQ(InPlaceEditRect({0, 32, 180, 48}), (PixelRect{0, 30, 180, 50}));
}

}  // namespace
}  // namespace zr::test
