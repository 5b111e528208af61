// Clicks over the skin spots: the press and release tables of the three
// pages, the steps the window takes for each of them, the DPI rules, the
// slider and the text commits, the repair of loaded records.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "app/InputSteps.h"
#include "app/MainWindowInput.h"
#include "config/ConfigStore.h"
#include "macros/MacroImport.h"
#include "platform/Text.h"
#include "platform/UserNotices.h"
#include "shared/MemoryProfileFiles.h"
#include "skin/PopupMenus.h"

namespace zr::test {
namespace {

// Every entry of a table gets its own 10 x 10 cell in a row of its own, so
// that a point names exactly one entry of each table.
template <typename Table>
void LayOut(Table& table, std::int32_t row) {
  for (std::size_t i = 0; i < table.size(); ++i)
    table[i] = SkinEntry{static_cast<std::int32_t>(i) * 10, row * 20, 10, 10, u""};
}

struct Point {
  std::int32_t x, y;
};
Point Centre(const SkinEntry& e) { return {e.x + e.width / 2, e.y + e.height / 2}; }
constexpr Point kNowhere{5, 500};

class InputFixture : public ::testing::Test {
 public:
  InputFixture() {
    LayOut(skin.main, 0);
    LayOut(skin.color, 1);
    LayOut(skin.advanced, 2);
    skin.advanced[30] = SkinEntry{600, 100, 150, 8, u""};  // the fire-time slider, apart from the rest
    SetFactoryDefaults(config);
  }
  InputModel Model() { return {ui, config, skin, preview, currentConfig}; }
  InputRequest MoveTo(Point p) { return TrackHover(Model(), p.x, p.y); }
  InputRequest PressAt(Point p) {
    MoveTo(p);
    return Press(Model(), p.x, p.y);
  }
  InputRequest ReleaseAt(Point p) {
    MoveTo(p);
    return Release(Model(), p.x, p.y);
  }
  void ShowPage(Page page) { ui.currentPage = page; }
  void ResetUi() {
    ui.~UiState();
    new (&ui) UiState();
  }

  UiState ui;
  ConfigRecord config;
  SkinLayouts skin;
  ColourPreviewState preview;
  std::atomic<std::int32_t> currentConfig{1};
};

struct Row {
  const char* what;
  Point at;
  InputCommand command;
  std::function<void(InputFixture&)> setUp;
  std::function<void(const InputFixture&, const InputRequest&)> check;
};

class PressTable : public InputFixture {
 protected:
  void Run(Page page, const std::vector<Row>& rows) {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.what);
      ResetUi();
      ShowPage(page);
      SetFactoryDefaults(config);
      preview.running = 0;
      if (row.setUp) row.setUp(*this);
      const InputRequest request = PressAt(row.at);
      EXPECT_EQ(request.command, row.command);
      if (row.check) row.check(*this, request);
    }
  }
};

TEST_F(PressTable, MainPage) {
  const auto& m = skin.main;
  Run(Page::Main, {
      {"save", Centre(m[0]), InputCommand::Save, {},
       [](auto&, auto& r) { EXPECT_EQ(r.repaint, RepaintArea::WholeWindow); }},
      {"advanced tab", Centre(m[10]), InputCommand::None, {},
       [](auto& f, auto& r) {
         EXPECT_EQ(f.ui.currentPage, Page::Advanced);
         EXPECT_TRUE(r.enterAdvancedPage);
         EXPECT_FALSE(r.leaveAdvancedPage);
       }},
      {"colour tab starts the preview", Centre(m[11]), InputCommand::None, {},
       [](auto& f, auto& r) {
         EXPECT_EQ(f.ui.currentPage, Page::Colour);
         EXPECT_TRUE(r.startColourPreview);
         EXPECT_EQ(f.preview.running, 1);
       }},
      {"colour tab while a preview still runs", Centre(m[11]), InputCommand::None,
       [](auto& f) { f.preview.running = 1; },
       [](auto&, auto& r) { EXPECT_FALSE(r.startColourPreview); }},
      {"import", Centre(m[14]), InputCommand::ImportProfile, {}, {}},
      {"export", Centre(m[15]), InputCommand::ExportProfile, {}, {}},
      {"button field", Centre(m[27]), InputCommand::OpenPopup, {},
       [](auto& f, auto& r) {
         EXPECT_EQ(f.ui.popupTargetEntry, 27);
         EXPECT_FALSE(r.warningFirst);
       }},
      {"wheel off", Centre(m[41]), InputCommand::None, [](auto& f) { f.config.WHEEL_STATUS = 1; },
       [](auto& f, auto&) { EXPECT_EQ(f.config.WHEEL_STATUS, 0); }},
      {"wheel on", Centre(m[42]), InputCommand::None, {},
       [](auto& f, auto&) { EXPECT_EQ(f.config.WHEEL_STATUS, 1); }},
      {"enable toggle", Centre(m[48]), InputCommand::None, {},
       [](auto& f, auto&) { EXPECT_EQ(f.config.DPI_SET_EN[2], 0); }},
      {"current level, enabled", Centre(m[55]), InputCommand::None, {},
       [](auto& f, auto&) { EXPECT_EQ(f.config.DPI_LEVEL, 1); }},
      {"current level, disabled", Centre(m[57]), InputCommand::None, [](auto& f) { f.config.DPI_SET_EN[3] = 0; },
       [](auto& f, auto&) { EXPECT_EQ(f.config.DPI_LEVEL, 0); }},
      {"grid cell 101 is level 2, step 11", Centre(m[101]), InputCommand::None, {},
       [](auto& f, auto&) {
         EXPECT_EQ(f.config.DPI_SET[2], 11);
         EXPECT_EQ(f.config.DPI_SET[1], 5);
       }},
      {"grid's last cell", Centre(m[113]), InputCommand::None, {},
       [](auto& f, auto&) { EXPECT_EQ(f.config.DPI_SET[3], 11); }},
      {"an entry without an action", Centre(m[60]), InputCommand::None, {},
       [](auto& f, auto& r) {
         EXPECT_TRUE(f.ui.pressed);
         EXPECT_EQ(r.repaint, RepaintArea::WholeWindow);
       }},
      {"empty part drags", {1234, 3}, InputCommand::WindowDrag, {},
       [](auto& f, auto& r) {
         EXPECT_FALSE(f.ui.pressed);
         EXPECT_EQ(r.x, 1234);
         EXPECT_EQ(r.y, 3);
       }},
      {"any click closes the open pop-up first", Centre(m[28]), InputCommand::OpenPopup,
       [](auto& f) { f.ui.popupOpen = true; },
       [](auto& f, auto& r) {
         EXPECT_TRUE(r.closePopup);
         EXPECT_FALSE(f.ui.popupOpen);
         EXPECT_EQ(f.ui.popupTargetEntry, 28);
       }},
  });
}

TEST_F(PressTable, AdvancedPage) {
  const auto& a = skin.advanced;
  const auto& m = skin.main;
  auto command = [&](int entry, InputCommand c) { return Row{"macro command", Centre(a[entry]), c, {}, {}}; };
  Run(Page::Advanced, {
      {"main tab leaves", Centre(m[9]), InputCommand::None, {},
       [](auto& f, auto& r) {
         EXPECT_EQ(f.ui.currentPage, Page::Main);
         EXPECT_TRUE(r.leaveAdvancedPage);
         EXPECT_FALSE(r.startColourPreview);
       }},
      {"colour tab leaves and starts the preview", Centre(m[11]), InputCommand::None, {},
       [](auto& f, auto& r) {
         EXPECT_EQ(f.ui.currentPage, Page::Colour);
         EXPECT_TRUE(r.leaveAdvancedPage);
         EXPECT_TRUE(r.startColourPreview);
       }},
      {"own tab", Centre(m[10]), InputCommand::None, {},
       [](auto& f, auto& r) {
         EXPECT_EQ(f.ui.currentPage, Page::Advanced);
         EXPECT_FALSE(r.enterAdvancedPage);
         EXPECT_FALSE(r.leaveAdvancedPage);
       }},
      command(0, InputCommand::ImportMacros),
      command(1, InputCommand::ExportMacros),
      command(2, InputCommand::AddOrSelectMacro),
      command(3, InputCommand::DeleteMacro),
      command(4, InputCommand::ToggleRecording),
      command(5, InputCommand::CommitRepeatCount),
      command(6, InputCommand::ToggleRepeatMode),
      {"trigger mode", Centre(a[7]), InputCommand::None, [](auto& f) { f.config.MACRO_MODE2 = 1; },
       [](auto& f, auto&) { EXPECT_EQ(f.config.MACRO_MODE2, 0); }},
      {"pointer speed 0", Centre(a[8]), InputCommand::None, {},
       [](auto& f, auto&) { EXPECT_EQ(f.config.DPI_SPEED, 0); }},
      {"pointer speed 9", Centre(a[17]), InputCommand::None, {},
       [](auto& f, auto&) { EXPECT_EQ(f.config.DPI_SPEED, 9); }},
      {"wheel speed 0", Centre(a[18]), InputCommand::None, {},
       [](auto& f, auto&) { EXPECT_EQ(f.config.WHEEL_SPEED, 0); }},
      {"wheel speed 9", Centre(a[27]), InputCommand::None, {},
       [](auto& f, auto&) { EXPECT_EQ(f.config.WHEEL_SPEED, 9); }},
      {"slider's left edge", {600, 101}, InputCommand::None, {},
       [](auto& f, auto& r) {
         EXPECT_EQ(f.config.FIRE_TIME, 0);
         EXPECT_EQ(r.repaint, RepaintArea::WholeWindow);
       }},
      {"slider's right-most pixel", {749, 101}, InputCommand::None, {},
       [](auto& f, auto&) { EXPECT_EQ(f.config.FIRE_TIME, 149 * 300 / 150); }},
      {"step up stops at 300", Centre(a[31]), InputCommand::None, [](auto& f) { f.config.FIRE_TIME = 300; },
       [](auto& f, auto&) { EXPECT_EQ(f.config.FIRE_TIME, 300); }},
      {"step up", Centre(a[31]), InputCommand::None, [](auto& f) { f.config.FIRE_TIME = 299; },
       [](auto& f, auto&) { EXPECT_EQ(f.config.FIRE_TIME, 300); }},
      {"step down stops at 0", Centre(a[32]), InputCommand::None, [](auto& f) { f.config.FIRE_TIME = 0; },
       [](auto& f, auto&) { EXPECT_EQ(f.config.FIRE_TIME, 0); }},
      {"step down from a value beyond the range", Centre(a[32]), InputCommand::None,
       [](auto& f) { f.config.FIRE_TIME = 5000; }, [](auto& f, auto&) { EXPECT_EQ(f.config.FIRE_TIME, 299); }},
      {"empty part drags", kNowhere, InputCommand::WindowDrag, {}, {}},
      // Entry 20 of the main layout lies under a header cell on the main
      // page only; here the header ends at 19.
      {"under a header entry: no drag", Centre(m[5]), InputCommand::None, {}, {}},
      {"beyond the header: drag", Centre(m[25]), InputCommand::WindowDrag, {}, {}},
  });
}

TEST_F(PressTable, ColourPage) {
  const auto& c = skin.color;
  const auto& m = skin.main;
  Run(Page::Colour, {
      {"main tab", Centre(m[9]), InputCommand::None, {},
       [](auto& f, auto& r) {
         EXPECT_EQ(f.ui.currentPage, Page::Main);
         EXPECT_FALSE(r.leaveAdvancedPage);
       }},
      {"advanced tab", Centre(m[10]), InputCommand::None, {},
       [](auto& f, auto& r) {
         EXPECT_EQ(f.ui.currentPage, Page::Advanced);
         EXPECT_TRUE(r.enterAdvancedPage);
       }},
      {"LED mode 0", Centre(c[0]), InputCommand::None, [](auto& f) { f.config.LED_STATUS = 2; },
       [](auto& f, auto&) { EXPECT_EQ(f.config.LED_STATUS, 0); }},
      {"LED mode 3", Centre(c[3]), InputCommand::None, {}, [](auto& f, auto&) { EXPECT_EQ(f.config.LED_STATUS, 3); }},
      {"colour entry 4 has no action", Centre(c[4]), InputCommand::None, {},
       [](auto& f, auto&) { EXPECT_EQ(f.config.LED_STATUS, 0); }},
      {"empty part drags", kNowhere, InputCommand::WindowDrag, {}, {}},
  });
}

TEST_F(InputFixture, ReleaseTableActsOnTheEntryUnderTheCursorOnEveryPage) {
  struct ReleaseRow {
    std::int32_t entry;
    InputCommand command;
    bool clearsHover;
  };
  const ReleaseRow rows[] = {
      {2, InputCommand::HideCommand, true},    {3, InputCommand::Apply, false},
      {4, InputCommand::LoadConfiguration, false}, {8, InputCommand::LoadConfiguration, false},
      {12, InputCommand::Minimise, true},      {13, InputCommand::Close, true},
      {16, InputCommand::FactoryReset, false}, {17, InputCommand::SwitchToChinese, false},
      {18, InputCommand::SwitchToEnglish, false}, {19, InputCommand::OpenWebLink, false},
      {0, InputCommand::None, false},          {9, InputCommand::None, false},
  };
  for (Page page : {Page::Main, Page::Advanced, Page::Colour}) {
    for (const ReleaseRow& row : rows) {
      SCOPED_TRACE(testing::Message() << "page " << int(page) << ", entry " << row.entry);
      ShowPage(page);
      currentConfig = 1;
      // Pressed elsewhere: the release goes by where the cursor is now.
      PressAt(Centre(skin.main[1]));
      ASSERT_TRUE(ui.pressed);
      const InputRequest request = ReleaseAt(Centre(skin.main[row.entry]));
      EXPECT_EQ(request.command, row.command);
      // Reset and the language switch reload the macro tables.
      EXPECT_EQ(request.endMacroEditing, row.entry >= 16 && row.entry <= 18);
      EXPECT_FALSE(ui.pressed);
      EXPECT_EQ(request.repaint, RepaintArea::WholeWindow);
      EXPECT_EQ(ui.mainHover, row.clearsHover ? kNoSpot : row.entry);
      if (row.command == InputCommand::LoadConfiguration) EXPECT_EQ(currentConfig, row.entry - 3);
      else EXPECT_EQ(currentConfig, 1);
      ShowPage(Page::Main);
    }
  }
}

TEST_F(InputFixture, OnlyTheMacroImportOfTheAdvancedPageEndsMacroEditing) {
  for (std::int32_t entry = 0; entry <= 7; ++entry) {
    ShowPage(Page::Advanced);
    EXPECT_EQ(PressAt(Centre(skin.advanced[entry])).endMacroEditing, entry == 0) << entry;
    ReleaseAt(Centre(skin.advanced[entry]));
  }
}

TEST_F(InputFixture, HoverRepaintsOnlyWhenAnIndexChanges) {
  EXPECT_EQ(MoveTo(Centre(skin.main[3])).repaint, RepaintArea::WholeWindow);
  EXPECT_EQ(ui.mainHover, 3);
  const InputRequest still = MoveTo({Centre(skin.main[3]).x + 1, Centre(skin.main[3]).y});
  EXPECT_EQ(still.repaint, RepaintArea::None);
  EXPECT_FALSE(still.updateNow);

  ShowPage(Page::Advanced);
  const InputRequest onAdvanced = MoveTo(Centre(skin.advanced[4]));
  EXPECT_EQ(onAdvanced.repaint, RepaintArea::AdvancedRegion);
  EXPECT_TRUE(onAdvanced.updateNow);
  EXPECT_EQ(ui.advancedHover, 4);
  EXPECT_EQ(ui.mainHover, kNoSpot);
  // Beyond the header the main layout does not count off the main page.
  MoveTo(Centre(skin.main[25]));
  EXPECT_EQ(ui.mainHover, kNoSpot);
  MoveTo(Centre(skin.main[19]));
  EXPECT_EQ(ui.mainHover, 19);
}

// How the shell's questions and imports turn out in a run of the steps.
struct Outcomes {
  std::optional<std::u16string> chosenFile = u"C:\\f";  // nothing: the person cancels
  bool imports = true;
  bool warningAccepted = true;
};

std::string Describe(const InputStep& step) {
  static constexpr const char* kNames[] = {
      "ClosePopup", "AdvancedPageClosing", "DestroyAdvancedControls", "Repaint", "CreateAdvancedControls",
      "UpdateNow", "AdvancedPageOpened", "StartColourPreview", "EndMacroEditing", "WindowDrag", "Minimise",
      "SendClose", "OpenWebLink", "ShowMessage", "AskOpenFile", "AskSaveFile", "SaveConfiguration",
      "ImportProfile", "ExportProfile", "ImportMacros", "ExportMacros", "RunHideCommand", "LoadConfiguration",
      "ResetConfigurations", "ResetMacros", "PlacePopup", "AskWarning", "OpenPopupMenu", "AddOrSelectMacro",
      "DeleteMacro", "ToggleRecording", "CommitRepeatCount", "ToggleRepeatMode", "MacrosReloaded", "Download",
      "Applied", "ConfigurationChosen", "FactoryResetDone", "SwitchLanguage"};
  static_assert(std::size(kNames) == static_cast<std::size_t>(StepKind::SwitchLanguage) + 1);
  std::string text = kNames[static_cast<std::size_t>(step.kind)];
  switch (step.kind) {
    case StepKind::Repaint: return text + (step.area == RepaintArea::WholeWindow ? "(whole)" : "(advanced)");
    case StepKind::WindowDrag:
    case StepKind::Minimise: return text + "(" + std::to_string(step.x) + "," + std::to_string(step.y) + ")";
    case StepKind::AskOpenFile:
    case StepKind::AskSaveFile: return text + "(" + Utf8FromUtf16(Extension(step.file)) + ")";
    case StepKind::ImportProfile:
    case StepKind::ExportProfile:
    case StepKind::ImportMacros:
    case StepKind::ExportMacros: return text + "(" + Utf8FromUtf16(step.path) + ")";
    case StepKind::ShowMessage: return text + "(" + Utf8FromUtf16(step.message) + ")";
    case StepKind::PlacePopup: return text + "(" + std::to_string(step.entry) + ")";
    case StepKind::ResetMacros: return text + (step.refillMacroList ? "(refill)" : "");
    case StepKind::SwitchLanguage: return text + "(" + std::to_string(step.languageFlag) + ")";
    default: return text;
  }
}

// Carries the steps out as the shell does, one at a time, reporting each outcome.
std::vector<std::string> RunSteps(InputSteps steps, const Outcomes& outcomes) {
  std::vector<std::string> done;
  while (const InputStep* step = steps.Next()) {
    done.push_back(Describe(*step));
    StepOutcome outcome;
    switch (step->kind) {
      case StepKind::AskOpenFile:
      case StepKind::AskSaveFile:
        outcome = {outcomes.chosenFile.has_value(), outcomes.chosenFile.value_or(u"")};
        break;
      case StepKind::ImportProfile:
      case StepKind::ImportMacros: outcome.succeeded = outcomes.imports; break;
      case StepKind::AskWarning: outcome.succeeded = outcomes.warningAccepted; break;
      default: break;
    }
    steps.Report(outcome);
  }
  return done;
}

enum class Gesture { Press, Release };

struct StepRow {
  const char* what;
  Page page;
  Gesture gesture;
  Point at;
  std::vector<std::string> steps;
  Outcomes outcomes = {};
  std::uint8_t languageFlag = 1;
  std::function<void(InputFixture&)> setUp = {};
};

class StepTable : public InputFixture {
 protected:
  void Run(const std::vector<StepRow>& rows) {
    for (const StepRow& row : rows) {
      SCOPED_TRACE(row.what);
      ResetUi();
      SetFactoryDefaults(config);
      preview.running = 0;
      ShowPage(row.page);
      if (row.setUp) row.setUp(*this);
      const InputRequest request = row.gesture == Gesture::Press ? PressAt(row.at) : ReleaseAt(row.at);
      EXPECT_EQ(RunSteps(InputSteps(request, ui, row.languageFlag), row.outcomes), row.steps);
    }
  }
};

const std::string kNoProfileEnglish = "ShowMessage(" + Utf8FromUtf16(kNoProfileMessageEnglish) + ")";
const std::string kNoProfileChinese = "ShowMessage(" + Utf8FromUtf16(kNoProfileMessageChinese) + ")";
const std::string kNoMacrosEnglish = "ShowMessage(" + Utf8FromUtf16(kNoMacrosMessageEnglish) + ")";
const std::string kNoMacrosChinese = "ShowMessage(" + Utf8FromUtf16(kNoMacrosMessageChinese) + ")";
constexpr Outcomes kCancelled{std::nullopt};
constexpr Outcomes kNotImported{u"C:\\f", false};

TEST_F(StepTable, MainPagePresses) {
  const auto& m = skin.main;
  constexpr Page P = Page::Main;
  constexpr Gesture G = Gesture::Press;
  Run({
      {"save", P, G, Centre(m[0]), {"Repaint(whole)", "SaveConfiguration"}},
      {"import", P, G, Centre(m[14]), {"Repaint(whole)", "AskOpenFile(ini)", "ImportProfile(C:\\f)", "Repaint(whole)"}},
      {"import cancelled", P, G, Centre(m[14]), {"Repaint(whole)", "AskOpenFile(ini)"}, kCancelled},
      {"import of a file without a profile", P, G, Centre(m[14]),
       {"Repaint(whole)", "AskOpenFile(ini)", "ImportProfile(C:\\f)", kNoProfileEnglish, "Repaint(whole)"},
       kNotImported},
      {"the same in Chinese", P, G, Centre(m[14]),
       {"Repaint(whole)", "AskOpenFile(ini)", "ImportProfile(C:\\f)", kNoProfileChinese, "Repaint(whole)"},
       kNotImported, 0},
      {"export", P, G, Centre(m[15]), {"Repaint(whole)", "AskSaveFile(ini)", "ExportProfile(C:\\f)", "Repaint(whole)"}},
      {"export cancelled", P, G, Centre(m[15]), {"Repaint(whole)", "AskSaveFile(ini)"}, kCancelled},
      {"button field", P, G, Centre(m[27]), {"Repaint(whole)", "PlacePopup(27)", "OpenPopupMenu"}},
      {"button field with the warning", P, G, Centre(m[25]),
       {"Repaint(whole)", "PlacePopup(25)", "AskWarning", "OpenPopupMenu"}},
      {"warning cancelled", P, G, Centre(m[25]), {"Repaint(whole)", "PlacePopup(25)", "AskWarning"},
       {.warningAccepted = false}},
      {"a click closes the open pop-up first", P, G, Centre(m[28]),
       {"ClosePopup", "Repaint(whole)", "PlacePopup(28)", "OpenPopupMenu"}, {}, 1,
       [](auto& f) { f.ui.popupOpen = true; }},
      {"advanced tab", P, G, Centre(m[10]),
       {"Repaint(whole)", "CreateAdvancedControls", "UpdateNow", "AdvancedPageOpened", "UpdateNow"}},
      {"colour tab", P, G, Centre(m[11]), {"Repaint(whole)", "StartColourPreview"}},
      {"colour tab while a preview still runs", P, G, Centre(m[11]), {"Repaint(whole)"}, {}, 1,
       [](auto& f) { f.preview.running = 1; }},
      {"wheel on", P, G, Centre(m[42]), {"Repaint(whole)"}},
      {"empty part", P, G, {1234, 3}, {"WindowDrag(1234,3)"}},
  });
}

TEST_F(StepTable, AdvancedPagePresses) {
  const auto& a = skin.advanced;
  const auto& m = skin.main;
  constexpr Page P = Page::Advanced;
  constexpr Gesture G = Gesture::Press;
  const std::vector<std::string> importSteps = {"Repaint(whole)", "EndMacroEditing", "AskOpenFile(dat)",
                                                "ImportMacros(C:\\f)"};
  auto then = [](std::vector<std::string> steps, std::initializer_list<std::string> more) {
    steps.insert(steps.end(), more);
    return steps;
  };
  Run({
      {"main tab", P, G, Centre(m[9]), {"AdvancedPageClosing", "DestroyAdvancedControls", "Repaint(whole)"}},
      {"colour tab", P, G, Centre(m[11]),
       {"AdvancedPageClosing", "DestroyAdvancedControls", "Repaint(whole)", "StartColourPreview"}},
      {"own tab", P, G, Centre(m[10]), {"Repaint(whole)"}},
      {"macro import", P, G, Centre(a[0]), then(importSteps, {"MacrosReloaded", "Repaint(advanced)"})},
      {"macro import cancelled", P, G, Centre(a[0]), {"Repaint(whole)", "EndMacroEditing", "AskOpenFile(dat)"},
       kCancelled},
      {"macro import of a file without macros", P, G, Centre(a[0]), then(importSteps, {kNoMacrosEnglish}),
       kNotImported},
      {"the same in Chinese", P, G, Centre(a[0]), then(importSteps, {kNoMacrosChinese}), kNotImported, 0},
      {"macro export", P, G, Centre(a[1]), {"Repaint(whole)", "AskSaveFile(dat)", "ExportMacros(C:\\f)"}},
      {"macro export cancelled", P, G, Centre(a[1]), {"Repaint(whole)", "AskSaveFile(dat)"}, kCancelled},
      {"add", P, G, Centre(a[2]), {"Repaint(whole)", "AddOrSelectMacro"}},
      {"delete", P, G, Centre(a[3]), {"Repaint(whole)", "DeleteMacro"}},
      {"record", P, G, Centre(a[4]), {"Repaint(whole)", "ToggleRecording"}},
      {"repeat count", P, G, Centre(a[5]), {"Repaint(whole)", "CommitRepeatCount"}},
      {"repeat mode", P, G, Centre(a[6]), {"Repaint(whole)", "ToggleRepeatMode"}},
      {"empty part", P, G, kNowhere, {"WindowDrag(5,500)"}},
  });
}

TEST_F(StepTable, Releases) {
  const auto& m = skin.main;
  constexpr Gesture G = Gesture::Release;
  constexpr Page P = Page::Main;
  Run({
      // The edits not yet in the mouse are dropped before the window hides.
      {"hide", P, G, Centre(m[2]), {"Repaint(whole)", "RunHideCommand", "SendClose", "Repaint(whole)"}},
      {"apply", P, G, Centre(m[3]), {"Repaint(whole)", "Download", "Applied"}},
      {"profile 3", P, G, Centre(m[6]), {"Repaint(whole)", "LoadConfiguration", "ConfigurationChosen"}},
      {"minimise", P, G, Centre(m[12]), {"Repaint(whole)", "Minimise(125,5)"}},
      {"close", P, G, Centre(m[13]), {"Repaint(whole)", "SendClose"}},
      {"factory reset", P, G, Centre(m[16]),
       {"Repaint(whole)", "EndMacroEditing", "ResetConfigurations", "ResetMacros", "Download", "FactoryResetDone"}},
      {"factory reset on the advanced page refills the macro list", Page::Advanced, G, Centre(m[16]),
       {"Repaint(whole)", "EndMacroEditing", "ResetConfigurations", "ResetMacros(refill)", "Download",
        "FactoryResetDone"}},
      {"Chinese", P, G, Centre(m[17]), {"Repaint(whole)", "EndMacroEditing", "SwitchLanguage(0)"}},
      {"English", Page::Colour, G, Centre(m[18]), {"Repaint(whole)", "EndMacroEditing", "SwitchLanguage(1)"}},
      {"web link", P, G, Centre(m[19]), {"Repaint(whole)", "OpenWebLink"}},
      {"nothing", P, G, kNowhere, {"Repaint(whole)"}},
  });
}

TEST_F(InputFixture, HoverAndTheEndOfAPopupChoicePaintAtOnce) {
  EXPECT_EQ(RunSteps(InputSteps(MoveTo(Centre(skin.main[3])), ui, 1), {}),
            (std::vector<std::string>{"Repaint(whole)", "UpdateNow"}));
  EXPECT_EQ(RunSteps(InputSteps(MoveTo(Centre(skin.main[3])), ui, 1), {}), std::vector<std::string>{});

  ui.menus.choiceFinished = true;
  EXPECT_EQ(RunSteps(InputSteps(ChoiceFinished(ui), ui, 1), {}),
            (std::vector<std::string>{"ClosePopup", "Repaint(whole)", "UpdateNow"}));
  EXPECT_FALSE(ui.menus.choiceFinished);
  // The main window's paint may have closed the menu already.
  EXPECT_EQ(RunSteps(InputSteps(ChoiceFinished(ui), ui, 1), {}),
            (std::vector<std::string>{"Repaint(whole)", "UpdateNow"}));
}

TEST(InputStepsFailure, EndsOnlyTheCommandAndNothingAfterItCanFail) {
  InputRequest request;
  request.command = InputCommand::ImportProfile;
  request.Repaint(RepaintArea::AdvancedRegion);
  request.updateNow = true;
  UiState ui;
  EXPECT_EQ(RunSteps(InputSteps(request, ui, 1), kCancelled),
            (std::vector<std::string>{"Repaint(advanced)", "AskOpenFile(ini)", "UpdateNow"}));
  EXPECT_EQ(RunSteps(InputSteps(request, ui, 1), kNotImported),
            (std::vector<std::string>{"Repaint(advanced)", "AskOpenFile(ini)", "ImportProfile(C:\\f)",
                                      kNoProfileEnglish, "Repaint(whole)", "UpdateNow"}));

  // Only the questions and the imports can fail: the window's own steps and
  // the message go on whatever they report.
  InputSteps steps(request, ui, 1);
  std::vector<std::string> done;
  while (const InputStep* step = steps.Next()) {
    done.push_back(Describe(*step));
    steps.Report({step->kind == StepKind::AskOpenFile, u"C:\\g"});
  }
  EXPECT_EQ(done, (std::vector<std::string>{"Repaint(advanced)", "AskOpenFile(ini)", "ImportProfile(C:\\g)",
                                            kNoProfileEnglish, "Repaint(whole)", "UpdateNow"}));
  // A pop-up target outside the buttons places nothing.
  request = {};
  request.command = InputCommand::OpenPopup;
  ui.popupTargetEntry = kLastButtonEntry + 1;
  EXPECT_EQ(RunSteps(InputSteps(request, ui, 1), {}), std::vector<std::string>{});
}

TEST(HitTest, FirstMatchUpToAndIncludingTheLastIndex) {
  MainLayout table{};
  table[3] = SkinEntry{0, 0, 10, 10, u""};
  table[7] = SkinEntry{5, 5, 10, 10, u""};  // overlaps entry 3
  table[114] = SkinEntry{100, 100, 5, 5, u""};
  table[115] = SkinEntry{200, 200, 5, 5, u""};
  EXPECT_EQ(HitTest(table, 114, 6, 6), 3);
  EXPECT_EQ(HitTest(table, 114, 12, 12), 7);
  EXPECT_EQ(HitTest(table, 114, 10, 10), 7);   // right and bottom edges belong to the next
  EXPECT_EQ(HitTest(table, 114, 104, 104), 114);
  EXPECT_EQ(HitTest(table, 114, 202, 202), kNoSpot);
  EXPECT_EQ(HitTest(table, 500, 202, 202), 115);  // a last index beyond the table stops at its end
}

TEST_F(InputFixture, WarningComesFirstExactlyWhenNoOtherButtonHoldsTheLeftClick) {
  struct WarningRow {
    std::array<std::int32_t, 6> codes;
    std::array<bool, 6> warns;
  };
  const WarningRow rows[] = {
      {{1, 3, 2, 4, 5, 6}, {true, false, false, false, false, false}},
      {{3, 2, 4, 5, 6, 1}, {false, false, false, false, false, true}},
      {{1, 1, 2, 4, 5, 6}, {false, false, false, false, false, false}},
      {{2, 3, 4, 5, 6, 11}, {true, true, true, true, true, true}},
  };
  for (const WarningRow& row : rows) {
    for (int b = 0; b < 6; ++b) {
      SCOPED_TRACE(b);
      for (int s = 0; s < 6; ++s) config.K[s] = row.codes[s];
      ResetUi();
      EXPECT_EQ(PressAt(Centre(skin.main[25 + b])).warningFirst, row.warns[b]);
    }
  }
}

TEST(DpiRules, DisablingKeepsAnEnabledCurrentLevel) {
  struct DpiRow {
    const char* what;
    std::array<std::uint8_t, 4> enabled;
    std::int32_t current, toggled;
    std::array<std::uint8_t, 4> enabledAfter;
    std::int32_t currentAfter;
  };
  const DpiRow rows[] = {
      {"the only enabled level stays", {0, 1, 0, 0}, 1, 1, {0, 1, 0, 0}, 1},
      {"skips a disabled next level", {1, 1, 0, 1}, 1, 1, {1, 0, 0, 1}, 3},
      {"wraps round after level 3", {1, 0, 0, 1}, 3, 3, {1, 0, 0, 0}, 0},
      {"a level that is not current", {1, 1, 1, 1}, 0, 2, {1, 1, 0, 1}, 0},
      {"enabling", {1, 0, 0, 0}, 0, 2, {1, 0, 1, 0}, 0},
  };
  for (const DpiRow& row : rows) {
    SCOPED_TRACE(row.what);
    ConfigRecord record;
    record.DPI_SET_EN = row.enabled;
    record.DPI_LEVEL = row.current;
    ToggleDpiLevel(record, row.toggled);
    EXPECT_EQ(record.DPI_SET_EN, row.enabledAfter);
    EXPECT_EQ(record.DPI_LEVEL, row.currentAfter);
  }
}

TEST(KeyboardFilter, EscEnterAndF10NeverReachTheDialog) {
  constexpr std::uint32_t kKeyDown = 0x100, kKeyUp = 0x101, kChar = 0x102, kSysKeyDown = 0x104;
  EXPECT_TRUE(SwallowedByKeyboardFilter(kKeyDown, 0x1B));
  EXPECT_TRUE(SwallowedByKeyboardFilter(kKeyDown, 0x0D));
  EXPECT_TRUE(SwallowedByKeyboardFilter(kSysKeyDown, 121));
  EXPECT_TRUE(SwallowedByKeyboardFilter(kKeyUp, 121));
  EXPECT_FALSE(SwallowedByKeyboardFilter(kKeyUp, 0x1B));
  EXPECT_FALSE(SwallowedByKeyboardFilter(kKeyDown, 'A'));
  EXPECT_FALSE(SwallowedByKeyboardFilter(kChar, 'y'));  // 121 as a typed character
}

class ProfileLoads : public ::testing::Test {
 protected:
  MemoryProfileFiles files;
  ConfigRecord record;
};

TEST_F(ProfileLoads, FileWithoutTheProfileSectionChangesNothing) {
  SetFactoryDefaults(record);
  record.FIRE_TIME = 123;
  files.WriteString(u"Config1", u"K0", u"5", u"other.ini");
  files.WriteString(u"Macros", u"macroNum", u"3", u"macros.ini");
  EXPECT_FALSE(ImportCheckedProfile(files, u"other.ini", 1, record));
  EXPECT_FALSE(ImportCheckedProfile(files, u"macros.ini", 1, record));
  EXPECT_FALSE(ImportCheckedProfile(files, u"missing.ini", 1, record));
  EXPECT_EQ(record.FIRE_TIME, 123);
  EXPECT_EQ(record.K[0], 1);
  // What the user is told says so in the window's language, not that a file is missing.
  EXPECT_EQ(NoProfileMessage(1), kNoProfileMessageEnglish);
  EXPECT_EQ(NoProfileMessage(0), kNoProfileMessageChinese);
  EXPECT_NE(NoProfileMessage(0), kMissingFileMessage);
}

TEST_F(ProfileLoads, AnyKeyASaveWritesMakesAProfile) {
  std::vector<ProfileWrite> writes;
  AddConfigurationWrites(writes, kProfileConfigNumber, record);
  ASSERT_EQ(writes.size(), kConfigurationKeys.size());
  for (std::size_t i = 0; i < writes.size(); ++i) {
    SCOPED_TRACE(Utf8FromUtf16(writes[i].key));
    EXPECT_EQ(writes[i].key, kConfigurationKeys[i]);
    MemoryProfileFiles one;
    one.WriteString(writes[i].section, writes[i].key, writes[i].value, u"one.ini");
    EXPECT_TRUE(ImportCheckedProfile(one, u"one.ini", 1, record));
  }
}

TEST_F(ProfileLoads, ExportedProfileComesBackExactly) {
  ConfigRecord exported;
  SetFactoryDefaults(exported);
  exported.K[1] = 1;
  exported.K[0] = 45;
  exported.DPI_SET = {0, 11, 4, 7};
  exported.DPI_SET_EN = {0, 1, 1, 0};
  exported.DPI_LEVEL = 2;
  exported.FIRE_TIME = 250;
  exported.LED_STATUS = 3;
  ExportProfile(files, u"p.ini", exported);
  ASSERT_TRUE(ImportCheckedProfile(files, u"p.ini", 1, record));
  for (int s = 0; s < kButtonSlots; ++s) EXPECT_EQ(record.K[s], exported.K[s]);
  EXPECT_EQ(record.DPI_SET, exported.DPI_SET);
  EXPECT_EQ(record.DPI_SET_EN, exported.DPI_SET_EN);
  EXPECT_EQ(record.DPI_LEVEL, 2);
  EXPECT_EQ(record.FIRE_TIME, 250);
  EXPECT_EQ(record.LED_STATUS, 3);
}

TEST_F(ProfileLoads, GarbageProfileIsRepairedBeforeItIsShown) {
  files.WriteString(u"Config7", u"K0", u"banana", u"g.ini");
  files.WriteString(u"Config7", u"FIRE_TIME", u"99999", u"g.ini");
  ASSERT_TRUE(ImportCheckedProfile(files, u"g.ini", 1, record));
  EXPECT_EQ(record.K[0], 1);
  EXPECT_EQ(record.FIRE_TIME, 300);
  EXPECT_EQ(record.DPI_SET_EN[record.DPI_LEVEL], 1);
}

TEST_F(ProfileLoads, HideCommandKeepsOnlyTheCurrentLevelOfTheEdits) {
  ConfigRecord snapshot;
  SetFactoryDefaults(snapshot);
  snapshot.FIRE_TIME = 80;
  SaveConfiguration(files, u"config.ini", 6, snapshot);
  SetFactoryDefaults(record);
  record.FIRE_TIME = 200;  // an edit not yet written into the mouse
  record.DPI_LEVEL = 3;
  RunHideCommand(files, u"config.ini", 1, record);
  EXPECT_EQ(record.FIRE_TIME, 80);
  EXPECT_EQ(record.DPI_LEVEL, 3);
  EXPECT_EQ(files.ReadString(u"Config6", u"DPI_LEVEL", u"", 5, u"config.ini"), u"3");
}

}  // namespace
}  // namespace zr::test
