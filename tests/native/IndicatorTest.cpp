// The on-screen indicator's decisions: what it says for each switch, where it
// goes on a monitor, what its picture's shapes cover, how it fades, the
// setting that turns it off, the gate that lets a switch through, and the
// worker's news that triggers it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/WindowCommands.h"
#include "config/ConfigStore.h"
#include "config/IndicatorSetting.h"
#include "device/ButtonActions.h"
#include "platform/IniEngine.h"
#include "platform/Text.h"
#include "shared/MemoryProfileFiles.h"
#include "shared/TestFolder.h"
#include "skin/Indicator.h"
#include "skin/IndicatorGate.h"
#include "skin/PagePaint.h"

namespace zr {
namespace {

constexpr Rgb kBlue{0, 0, 255}, kMagenta{255, 0, 255}, kRed{255, 0, 0}, kViolet{128, 0, 255};

struct DpiRow {
  const char* name;
  std::array<std::uint8_t, 4> steps;
  std::array<std::uint8_t, 4> enabled;
  std::int32_t level;
  std::uint8_t languageFlag;
  const char16_t* title;
  const char16_t* value;
  Rgb accent;
  std::vector<IndicatorMark> marks;
};

TEST(IndicatorContent, DpiLevelSaysTheLevelItsColourItsDpiAndWhereInTheCycleItIs) {
  const std::vector<DpiRow> rows = {
      {"every level enabled", {3, 5, 6, 8}, {1, 1, 1, 1}, 1, 1, u"DPI LEVEL 2", u"1200 DPI", kMagenta,
       {{kBlue, false}, {kMagenta, true}, {kRed, false}, {kViolet, false}}},
      {"a disabled level has no mark", {3, 5, 6, 8}, {1, 1, 0, 1}, 3, 1, u"DPI LEVEL 4", u"2400 DPI", kViolet,
       {{kBlue, false}, {kMagenta, false}, {kViolet, true}}},
      {"a level a file disabled is still marked as current", {0, 11, 6, 8}, {0, 1, 0, 0}, 0, 1, u"DPI LEVEL 1",
       u"200 DPI", kBlue, {{kBlue, true}, {kMagenta, false}}},
      {"the top step", {3, 11, 6, 8}, {1, 1, 1, 1}, 1, 1, u"DPI LEVEL 2", u"4800 DPI", kMagenta,
       {{kBlue, false}, {kMagenta, true}, {kRed, false}, {kViolet, false}}},
      {"a step beyond the table is what the mouse got: the lowest", {44, 5, 6, 8}, {1, 1, 1, 1}, 0, 1,
       u"DPI LEVEL 1", u"200 DPI", kBlue, {{kBlue, true}, {kMagenta, false}, {kRed, false}, {kViolet, false}}},
      {"Chinese", {3, 5, 6, 8}, {1, 1, 1, 1}, 2, 0, u"DPI \u6863\u4F4D 3", u"1600 DPI", kRed,
       {{kBlue, false}, {kMagenta, false}, {kRed, true}, {kViolet, false}}},
  };
  for (const DpiRow& row : rows) {
    SCOPED_TRACE(row.name);
    ConfigRecord config;
    config.DPI_SET = row.steps;
    config.DPI_SET_EN = row.enabled;
    const auto content = DpiLevelIndicator(config, row.level, row.languageFlag);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(content->title, row.title);
    EXPECT_EQ(content->value, row.value);
    EXPECT_EQ(content->accent, row.accent);
    EXPECT_EQ(content->badge, DecimalText(row.level + 1));
    EXPECT_EQ(std::vector<IndicatorMark>(content->marks.begin(), content->marks.begin() + content->markCount),
              row.marks);
  }
}

TEST(IndicatorContent, NothingForALevelStepOrProfileTheMouseDoesNotHave) {
  ConfigRecord config;
  EXPECT_FALSE(DpiLevelIndicator(config, 4, 1));
  EXPECT_FALSE(DpiLevelIndicator(config, -1, 1));
  EXPECT_FALSE(DpiLevelIndicator(config, 0x80, 1));
  EXPECT_FALSE(ReportRateIndicator(4, 1));
  EXPECT_FALSE(ProfileIndicator(0, u"game.exe", 1));
  EXPECT_FALSE(ProfileIndicator(6, u"game.exe", 1));
}

TEST(IndicatorContent, ReportRateAndProfileVariants) {
  const auto rate = ReportRateIndicator(3, 1);
  ASSERT_TRUE(rate);
  EXPECT_EQ(rate->title, u"REPORT RATE");
  EXPECT_EQ(rate->value, u"1000 Hz");
  ASSERT_EQ(rate->markCount, 4u);
  EXPECT_TRUE(rate->marks[3].current);
  EXPECT_FALSE(rate->marks[0].current);
  EXPECT_EQ(ReportRateIndicator(0, 0)->value, u"125 Hz");
  EXPECT_EQ(ReportRateIndicator(0, 0)->title, u"\u56DE\u62A5\u7387");

  const auto profile = ProfileIndicator(3, u"C:\\Games\\Big Game\\game.exe", 1);
  ASSERT_TRUE(profile);
  EXPECT_EQ(profile->title, u"PROFILE 3");
  EXPECT_EQ(profile->badge, u"3");
  EXPECT_EQ(profile->value, u"game.exe");
  ASSERT_EQ(profile->markCount, 5u);
  EXPECT_TRUE(profile->marks[2].current);
  EXPECT_EQ(IndicatorCaption(*profile), u"PROFILE 3: game.exe");
  EXPECT_EQ(ProfileIndicator(1, u"/opt/x/tool", 0)->value, u"tool");
  EXPECT_EQ(ProfileIndicator(1, u"/opt/x/tool", 0)->title, u"\u914D\u7F6E 1");
  // A name from a process list can be anything; the window shows a bounded one.
  EXPECT_EQ(ProfileIndicator(5, std::u16string(500, u'a'), 1)->value.size(), 64u);
}

struct PlaceRow {
  const char* name;
  PixelRect workArea;
  PixelRect expected;
};

TEST(IndicatorPlace, BottomCentreOfTheWorkAreaAndNeverOffIt) {
  const std::int32_t w = kIndicatorWidth, h = kIndicatorHeight;
  const std::vector<PlaceRow> rows = {
      {"primary monitor above a taskbar", {0, 0, 1920, 1040}, {810, 1040 - 72 - h, 810 + w, 1040 - 72}},
      {"second monitor to the right", {1920, 0, 3200, 1024}, {2410, 1024 - 72 - h, 2410 + w, 1024 - 72}},
      {"monitor left of and below the primary", {-1280, 200, 0, 1224}, {-790, 1224 - 72 - h, -490, 1224 - 72}},
      {"area too short for the margin: on its bottom", {0, 0, 800, 120}, {250, 24, 550, 120}},
      {"area smaller than the panel: its top left", {100, 50, 300, 100}, {100, 50, 100 + w, 50 + h}},
  };
  for (const PlaceRow& row : rows) {
    SCOPED_TRACE(row.name);
    const PixelRect placed = PlaceIndicator(row.workArea, w, h);
    EXPECT_EQ(placed, row.expected);
    EXPECT_GE(placed.left, row.workArea.left);
    EXPECT_GE(placed.top, row.workArea.top);
  }
}

TEST(IndicatorPicture, RoundCornersClearBodyOpaqueAndEveryTextOnTheBody) {
  ConfigRecord config;
  config.DPI_SET = {3, 5, 6, 8};
  config.DPI_SET_EN = {1, 1, 1, 1};
  const IndicatorLayout layout = LayOutIndicator(*DpiLevelIndicator(config, 2, 1));
  const IndicatorPixels pixels = RenderIndicatorShapes(layout);
  ASSERT_EQ(pixels.colour.size(), static_cast<std::size_t>(layout.width * layout.height));

  // The corners are cut round, with a soft edge between clear and opaque.
  for (auto [x, y] : {std::pair{0, 0}, {layout.width - 1, 0}, {0, layout.height - 1},
                      {layout.width - 1, layout.height - 1}})
    EXPECT_EQ(pixels.AlphaAt(x, y), 0) << x << "," << y;
  bool softEdge = false;
  for (int x = 0; x < 14; ++x) softEdge |= pixels.AlphaAt(x, 4) > 0 && pixels.AlphaAt(x, 4) < 255;
  EXPECT_TRUE(softEdge);
  EXPECT_EQ(pixels.ColourAt(layout.width / 2, 0), kIndicatorEdge);
  EXPECT_EQ(pixels.ColourAt(layout.width / 2, layout.height / 2), kIndicatorPanel);

  // The badge's ring is in the level's colour around a dark middle.
  EXPECT_EQ(pixels.ColourAt(50, 19), kRed);
  EXPECT_EQ(pixels.ColourAt(50, 48), kIndicatorSlot);

  // Texts go where the picture is opaque, so drawing them leaves the alpha right.
  for (const IndicatorText& text : layout.texts)
    for (auto [x, y] : {std::pair{text.rect.left, text.rect.top}, {text.rect.right - 1, text.rect.bottom - 1}})
      EXPECT_EQ(pixels.AlphaAt(x, y), 255) << Utf8FromUtf16(text.text);
  ASSERT_EQ(layout.texts.size(), 3u);
  EXPECT_EQ(layout.texts[1].text, u"DPI LEVEL 3");
  EXPECT_EQ(layout.texts[2].text, u"1600 DPI");
}

TEST(IndicatorPicture, MarksSitSideBySideInsideThePanelEvenForFiveProfiles) {
  const IndicatorLayout layout = LayOutIndicator(*ProfileIndicator(5, u"game.exe", 1));
  std::vector<IndicatorShape> marks;
  for (const IndicatorShape& shape : layout.shapes)
    if (shape.rect.top == 74) marks.push_back(shape);
  ASSERT_EQ(marks.size(), 5u);
  for (std::size_t i = 1; i < marks.size(); ++i) EXPECT_GT(marks[i].rect.left, marks[i - 1].rect.right);
  EXPECT_LT(marks.back().rect.right, layout.width - 14);
  EXPECT_EQ(marks.back().colour, kIndicatorRed);    // profile 5 is the current one
  EXPECT_NE(marks.front().colour, kIndicatorRed);
}

TEST(IndicatorFadeTest, ShowsHoldsFadesAndThenWantsNoTimer) {
  IndicatorFade fade;
  EXPECT_FALSE(fade.At(0).visible);
  EXPECT_FALSE(fade.At(0).nextInMs);

  fade.Restart(1000);
  struct Row {
    std::uint64_t at;
    bool visible;
    int minAlpha, maxAlpha;
    std::optional<std::uint32_t> next;
  };
  const std::vector<Row> rows = {
      {1000, true, 64, 64, 30},      // faint at once, so the first frame shows
      {1060, true, 180, 200, 30},    // fading in
      {1090, true, 255, 255, 1410},  // up: one wake-up at the end of the hold
      {2499, true, 255, 255, 1},
      {2500, true, 255, 255, 30},    // the fade begins
      {2675, true, 120, 135, 30},
      {2849, true, 1, 5, 1},
      {2850, false, 0, 0, std::nullopt},  // gone, and nothing to wait for
      {9000, false, 0, 0, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.at);
    const IndicatorFade::Frame frame = fade.At(row.at);
    EXPECT_EQ(frame.visible, row.visible);
    EXPECT_GE(frame.alpha, row.minAlpha);
    EXPECT_LE(frame.alpha, row.maxAlpha);
    EXPECT_EQ(frame.nextInMs, row.next);
  }
}

TEST(IndicatorFadeTest, ASwitchWhileShownRestartsTheTimeWithoutDimming) {
  IndicatorFade fade;
  fade.Restart(0);
  const std::uint8_t before = fade.At(1700).alpha;  // half way out
  fade.Restart(1700);
  EXPECT_GE(fade.At(1700).alpha, before);
  EXPECT_EQ(fade.At(1700 + 1499).alpha, 255);  // a whole hold again
  EXPECT_TRUE(fade.At(1700 + 1600).visible);
  fade.Hide();
  EXPECT_FALSE(fade.At(1701).visible);
}

TEST(IndicatorSetting, MissingMeansOnAndTheMenuItemStoresZeroOrOne) {
  PortableProfileFiles files;
  test::TestFolder folder;
  const std::u16string path = folder.Path(u"config.ini");
  EXPECT_TRUE(ReadIndicatorEnabled(files, path));  // no file at all
  files.WriteString(u"Init", u"CurConfig", u"1", path);
  EXPECT_TRUE(ReadIndicatorEnabled(files, path));  // a file from before the indicator

  ASSERT_TRUE(SaveIndicatorEnabled(files, path, false));
  EXPECT_EQ(files.ReadString(u"Init", u"OSD", u"", 8, path), u"0");
  EXPECT_FALSE(ReadIndicatorEnabled(files, path));
  ASSERT_TRUE(SaveIndicatorEnabled(files, path, true));
  EXPECT_EQ(files.ReadString(u"Init", u"OSD", u"", 8, path), u"1");
  EXPECT_TRUE(ReadIndicatorEnabled(files, path));
  files.WriteString(u"Init", u"OSD", u"7", path);
  EXPECT_TRUE(ReadIndicatorEnabled(files, path));

  // The factory reset restores the mouse's configurations, not this choice.
  SaveIndicatorEnabled(files, path, false);
  ConfigRecord record;
  FactoryReset(files, path, 1, 1, record);
  EXPECT_FALSE(ReadIndicatorEnabled(files, path));

  // The shipped file leaves it on.
  EXPECT_TRUE(ReadIndicatorEnabled(files, Utf16FromUtf8(ZR_SOURCE_DIR) + u"\\data\\config.ini"));

  EXPECT_EQ(DecideMenuCommand(kCommandIndicator), MenuCommand::ToggleIndicator);
  EXPECT_EQ(DecideMenuCommand(kCommandIndicatorChinese), MenuCommand::ToggleIndicator);
}

TEST(IndicatorGate, LetsSwitchesThroughOnlyWhileTurnedOnAndNeverOnceTheUtilityEnds) {
  test::MemoryProfileFiles files;
  const std::u16string path = u"C:\\Utility\\config.ini";
  ConfigRecord config;
  SetFactoryDefaults(config);
  IndicatorGate gate;
  gate.Load(files, path);
  ASSERT_TRUE(gate.Enabled());
  EXPECT_EQ(gate.DpiLevel(config, 1, 1), DpiLevelIndicator(config, 1, 1));
  EXPECT_EQ(gate.ReportRate(2, 0), ReportRateIndicator(2, 0));
  EXPECT_EQ(gate.ProfileSwitch(3, u"game.exe", 1), ProfileIndicator(3, u"game.exe", 1));
  EXPECT_FALSE(gate.ReportRate(4, 1)) << "a step the mouse does not have";

  // Off from the tray menu: what shows goes at once, the choice is kept,
  // and no kind of switch comes through.
  EXPECT_TRUE(gate.Toggle(files, path));
  EXPECT_FALSE(gate.Enabled());
  EXPECT_FALSE(ReadIndicatorEnabled(files, path));
  EXPECT_FALSE(gate.DpiLevel(config, 1, 1));
  EXPECT_FALSE(gate.ReportRate(2, 1));
  EXPECT_FALSE(gate.ProfileSwitch(3, u"game.exe", 1));
  IndicatorGate nextStart;
  nextStart.Load(files, path);
  EXPECT_FALSE(nextStart.Enabled());

  // On again: nothing to take away, and switches show.
  EXPECT_FALSE(gate.Toggle(files, path));
  EXPECT_TRUE(ReadIndicatorEnabled(files, path));
  EXPECT_TRUE(gate.DpiLevel(config, 1, 1));

  // The exit shuts it whatever the choice says.
  gate.Close();
  EXPECT_TRUE(gate.Enabled());
  EXPECT_FALSE(gate.DpiLevel(config, 1, 1));
  EXPECT_FALSE(gate.ReportRate(2, 1));
  EXPECT_FALSE(gate.ProfileSwitch(3, u"game.exe", 1));
}

class RecordingNotices final : public MouseChangeNotices {
 public:
  void DpiLevelChanged(std::int32_t level) override { news.push_back("dpi " + std::to_string(level)); }
  void ReportRateChanged(std::uint8_t step) override { news.push_back("rate " + std::to_string(step)); }
  std::vector<std::string> news;
};

class NoRepaint final : public WindowRepaint {
 public:
  void RepaintWholeWindow() override {}
};

TEST(IndicatorNews, TheWorkerTellsEachSwitchTheMouseReportsAndNothingElse) {
  ConfigRecord config;
  SetFactoryDefaults(config);
  config.dpiButtonFlag[5] = 1;   // button code 6
  config.rateButtonFlag[1] = 1;  // button code 3
  config.USB_SPEED = 3;
  config.K[3] = 21;              // button code 4: a consumer key
  MacroTables macros;
  PortableProfileFiles files;
  test::TestFolder folder;
  std::atomic<std::int32_t> current{1};
  NoRepaint repaint;
  RecordingNotices notices;
  ButtonActionHandover handover;
  class NoMouse final : public MouseInjection {
    void SendKeyEvent(std::uint8_t, std::uint8_t) override {}
    void ReleaseAll() override {}
    void SendConsumerUsage(std::uint16_t) override {}
  } mouse;
  class NoTimer final : public StepTimer {
    void BeginPlayback() override {}
    void EndPlayback() override {}
    bool Wait(std::uint32_t) override { return true; }
    void Interrupt() override {}
    void Close() override {}
  } timer;
  class NoPrograms final : public ProgramStarter {
    void StartSystemProgram(std::u16string_view) override {}
  } programs;
  ButtonActionWorker worker({config, macros, files, folder.Path(u"config.ini"), current, repaint, &notices}, handover,
                            mouse, timer, programs);
  worker.CarryOut(0xF6, 2);
  EXPECT_EQ(config.DPI_LEVEL, 2);
  worker.CarryOut(0xF3, 0);
  worker.CarryOut(0xF4, 0);  // the consumer key is no switch
  worker.CarryOut(0xF3, 0);
  EXPECT_EQ(notices.news, (std::vector<std::string>{"dpi 2", "rate 0", "rate 1"}));
}

}  // namespace
}  // namespace zr
