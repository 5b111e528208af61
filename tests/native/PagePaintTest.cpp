// The paint of the three pages against a recording canvas: which spot comes
// from which image, the bars, the texts and where they go.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>

#include "platform/Text.h"
#include "shared/RecordingCanvas.h"
#include "skin/PagePaint.h"

namespace zr::test {
namespace {

constexpr std::int32_t kWidth = 1000;
constexpr std::int32_t kHeight = 600;

PixelRect AreaOf(const SkinEntry& e) { return {e.x, e.y, e.x + e.width, e.y + e.height}; }

template <std::size_t N>
void Grid(std::array<SkinEntry, N>& table, std::int32_t top, const char16_t* prefix) {
  for (std::size_t i = 0; i < N; ++i)
    table[i] = {static_cast<std::int32_t>(i % 20) * 50, top + static_cast<std::int32_t>(i / 20) * 40, 40, 30,
                prefix + DecimalText(static_cast<std::int64_t>(i))};
}

class PagePaint : public ::testing::Test {
 protected:
  PagePaint() {
    Grid(skin.main, 0, u"m");
    Grid(skin.advanced, 300, u"a");
    Grid(skin.color, 300, u"c");
    for (std::int32_t k = 1; k <= FunctionNames::kLastKey; ++k) skin.functionNames.Set(k, u"f" + DecimalText(k));
    SetFactoryDefaults(config);
    config.MACRO_MODE2 = 0;
    SetMacroName(macros.macros[0], u"First");
    SetMacroName(macros.macros[11], u"Last");
  }

  RecordingCanvas Paint(Page page) {
    ui.currentPage = page;
    RecordingCanvas canvas;
    ComposePage(canvas, PaintInputs{ui, preview, config, macros, editor, skin, languageFlag, currentConfig, kWidth, kHeight});
    return canvas;
  }

  static bool Copied(const RecordingCanvas& canvas, SpotSource source, const SkinEntry& e) {
    const auto copies = canvas.All<CopyOp>();
    return std::any_of(copies.begin(), copies.end(),
                       [&](const CopyOp& op) { return op.source == source && op.area == AreaOf(e); });
  }
  static bool CopiedAtAll(const RecordingCanvas& canvas, const SkinEntry& e) {
    return Copied(canvas, SpotSource::Hovered, e) || Copied(canvas, SpotSource::Pressed, e);
  }

  UiState ui;
  ColourPreviewState preview;
  ConfigRecord config;
  MacroTables macros;
  MacroEditorState editor;
  SkinLayouts skin;
  std::uint8_t languageFlag = 1;
  std::int32_t currentConfig = 1;
};

TEST_F(PagePaint, TheSpotUnderTheCursorComesFromTheHoveredImageOrWhilePressedFromThePressedOne) {
  ui.mainHover = 35;
  EXPECT_TRUE(Copied(Paint(Page::Main), SpotSource::Hovered, skin.main[35]));
  ui.pressed = true;
  RecordingCanvas canvas = Paint(Page::Main);
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.main[35]));
  EXPECT_FALSE(Copied(canvas, SpotSource::Hovered, skin.main[35]));

  // Elsewhere a common spot under the cursor is hovered and the page's own entries stay normal.
  ui.pressed = false;
  ui.mainHover = 12;
  canvas = Paint(Page::Advanced);
  EXPECT_TRUE(Copied(canvas, SpotSource::Hovered, skin.main[12]));
  for (const SkinEntry& e : skin.advanced) EXPECT_FALSE(Copied(canvas, SpotSource::Hovered, e)) << Utf8FromUtf16(e.label);

  // Pressing the fire-time bar draws only the fire time.
  const SkinEntry& bar = skin.advanced[30];
  ui.mainHover = kNoSpot;
  ui.advancedHover = 30;
  ui.pressed = true;
  config.FIRE_TIME = 150;
  canvas = Paint(Page::Advanced);
  EXPECT_FALSE(Copied(canvas, SpotSource::Pressed, bar));
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, SkinEntry{bar.x, bar.y, 20, bar.height, {}}));
}

TEST_F(PagePaint, TheFireTimeBarIsTheTruncatedShareOfItsSpot) {
  SkinEntry& bar = skin.advanced[30];
  bar = {100, 400, 101, 12, u""};
  struct Row {
    std::int32_t fireTime;
    std::int32_t pixels;  // 0: no bar at all
  };
  const Row rows[] = {{0, 0}, {2, 0}, {3, 1}, {150, 50}, {299, 100}, {300, 101},
                      {600, 101},  // only a file holds this: the bar stops at its spot
                      {-1, 101}};  // unsigned, so a negative time is a huge one
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fireTime);
    config.FIRE_TIME = row.fireTime;
    const RecordingCanvas canvas = Paint(Page::Advanced);
    const auto copies = canvas.All<CopyOp>();
    const auto barCopies = std::count_if(copies.begin(), copies.end(), [](const CopyOp& op) { return op.area.top == 400; });
    if (row.pixels == 0) {
      EXPECT_EQ(barCopies, 0);
    } else {
      EXPECT_EQ(barCopies, 1);
      EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, SkinEntry{100, 400, row.pixels, 12, {}}));
    }
  }
}

TEST_F(PagePaint, EachDpiBarFillsItsStepsPlusOneSegmentsInsetByAPixel) {
  config.DPI_SET = {11, 0, 44, 5};  // 44: only a file holds it; sent as the lowest step, shown as one
  const RecordingCanvas canvas = Paint(Page::Main);
  const auto fills = canvas.All<FillOp>();
  const std::int32_t expected[kDpiLevels] = {12, 1, 1, 6};
  std::size_t next = 0;
  for (int level = 0; level < kDpiLevels; ++level) {
    for (int s = 0; s < expected[level]; ++s, ++next) {
      ASSERT_LT(next, fills.size());
      const SkinEntry& segment = skin.main[66 + 12 * level + s];
      EXPECT_EQ(fills[next].area, (PixelRect{segment.x + 1, segment.y + 1, segment.x + segment.width - 1, segment.y + segment.height}));
      EXPECT_EQ(fills[next].colour, kDpiLevelColours[level]) << "level " << level;
    }
  }
  EXPECT_EQ(fills.size(), next);
}

TEST_F(PagePaint, TheMainPageShowsTheConfigurationPressed) {
  config.DPI_LEVEL = 2;
  config.DPI_SET_EN = {1, 0, 1, 7};  // only exactly 1 counts as enabled here
  config.WHEEL_STATUS = 1;
  ui.mainHover = 27;
  const RecordingCanvas canvas = Paint(Page::Main);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Copied(canvas, SpotSource::Pressed, skin.main[54 + i]), i == 2) << i;
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.main[46]));
  EXPECT_FALSE(CopiedAtAll(canvas, skin.main[47]));
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.main[48]));
  EXPECT_FALSE(CopiedAtAll(canvas, skin.main[49]));
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.main[42]));
  EXPECT_FALSE(CopiedAtAll(canvas, skin.main[41]));
  // The mouse drawing lights the part of the hovered button.
  EXPECT_TRUE(Copied(canvas, SpotSource::Hovered, skin.main[117]));
  EXPECT_FALSE(CopiedAtAll(canvas, skin.main[115]));
}

TEST_F(PagePaint, CommonSpotsTakeTheFirstRuleThatApplies) {
  currentConfig = 2;  // spot 5
  ui.mainHover = 5;   // the current configuration stays pressed under the cursor
  languageFlag = 0;
  RecordingCanvas canvas = Paint(Page::Colour);
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.main[5]));
  EXPECT_FALSE(Copied(canvas, SpotSource::Hovered, skin.main[5]));
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.main[11]));  // the colour tab
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.main[17]));
  for (int i : {4, 6, 7, 8, 9, 10, 18}) EXPECT_FALSE(CopiedAtAll(canvas, skin.main[i])) << i;

  ui.mainHover = 10;  // the advanced tab under the cursor, not pressed
  languageFlag = 1;
  canvas = Paint(Page::Colour);
  EXPECT_TRUE(Copied(canvas, SpotSource::Hovered, skin.main[10]));
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.main[18]));
  EXPECT_FALSE(CopiedAtAll(canvas, skin.main[17]));

  languageFlag = 2;  // English everywhere else, but neither language spot is the active one
  canvas = Paint(Page::Colour);
  EXPECT_FALSE(CopiedAtAll(canvas, skin.main[17]));
  EXPECT_FALSE(CopiedAtAll(canvas, skin.main[18]));
}

TEST_F(PagePaint, ButtonFieldsShowTheFunctionOrMacroNameIndentedAndRedUnderTheCursor) {
  const std::int32_t codes[6] = {41, 3, 52, 53, 54, 0};
  const char16_t* names[6] = {u"First", u"f3", u"Last", u"", u"", u""};
  for (int k = 0; k < 6; ++k) config.K[k] = codes[k];
  ui.mainHover = 26;
  const auto texts = Paint(Page::Main).All<TextOp>();
  ASSERT_EQ(texts.size(), 54u);
  for (int k = 0; k < 6; ++k) {
    SCOPED_TRACE(k);
    const SkinEntry& field = skin.main[25 + k];
    EXPECT_EQ(texts[25 + k].text, names[k]);
    EXPECT_EQ(texts[25 + k].left, field.x + 5);
    EXPECT_EQ(texts[25 + k].top, field.y + (field.height - RecordingCanvas::kCharHeight) / 2);
    EXPECT_EQ(texts[25 + k].colour, k == 1 ? kTextRed : kTextWhite);
  }
  for (std::int32_t code : {-5, 55, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()})
    EXPECT_EQ(ButtonFunctionLabel(code, skin.functionNames, macros), u"") << code;
}

TEST_F(PagePaint, TextsAreCentredWithTruncatingDivisionsEvenWhenWiderThanTheirSpot) {
  skin.main[3] = {100, 50, 21, 15, u"ab"};      // (21 - 14) / 2 = 3, (15 - 14) / 2 = 0
  skin.main[2] = {100, 80, 10, 9, u"abcd"};     // (10 - 28) / 2 = -9, (9 - 14) / 2 = -2
  const auto texts = Paint(Page::Main).All<TextOp>();
  EXPECT_EQ(texts[3].left, 103);
  EXPECT_EQ(texts[3].top, 50);
  EXPECT_EQ(texts[2].left, 91);
  EXPECT_EQ(texts[2].top, 78);
  EXPECT_EQ(texts[2].text, u"abcd");
}

TEST_F(PagePaint, EachPageDrawsTheCommonTextsThenItsOwn) {
  const auto advanced = Paint(Page::Advanced).All<TextOp>();
  ASSERT_EQ(advanced.size(), 72u);
  EXPECT_EQ(advanced[19].text, u"m19");
  EXPECT_EQ(advanced[20].text, u"a0");
  EXPECT_EQ(advanced[71].text, u"a51");
  const auto colour = Paint(Page::Colour).All<TextOp>();
  ASSERT_EQ(colour.size(), 33u);
  EXPECT_EQ(colour[20].text, u"c0");
  EXPECT_EQ(colour[32].text, u"c12");
}

TEST_F(PagePaint, TheAdvancedPageReplacesFourLabelsAndMarksTheHoveredOne) {
  config.FIRE_TIME = 50;
  editor.pressCount = 3;
  editor.releaseCount = 2;
  ui.advancedHover = 33;
  auto texts = Paint(Page::Advanced).All<TextOp>();
  EXPECT_EQ(texts[20 + 4].text, u"Record");
  EXPECT_EQ(texts[20 + 33].text, u"50ms");
  EXPECT_EQ(texts[20 + 33].colour, kTextRed);
  EXPECT_EQ(texts[20 + 43].text, u"[↓]3");
  EXPECT_EQ(texts[20 + 44].text, u"[↑]2");
  EXPECT_EQ(texts[20 + 5].colour, kTextWhite);

  editor.recording = 1;
  languageFlag = 0;
  config.FIRE_TIME = -7;
  const RecordingCanvas canvas = Paint(Page::Advanced);
  texts = canvas.All<TextOp>();
  EXPECT_EQ(texts[20 + 4].text, u"停止");
  EXPECT_EQ(texts[20 + 33].text, u"-7ms");
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.advanced[4]));
  editor.recording = 0;
  EXPECT_EQ(Paint(Page::Advanced).All<TextOp>()[20 + 4].text, u"录制");
}

TEST_F(PagePaint, TheAdvancedPageShowsItsSettingsPressed) {
  config.DPI_SPEED = 9;
  config.WHEEL_SPEED = 0;
  config.MACRO_MODE2 = 1;
  macros.currentMacro = 11;
  macros.macros[11].repeatMode = 1;
  const RecordingCanvas canvas = Paint(Page::Advanced);
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.advanced[17]));
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.advanced[18]));
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.advanced[7]));
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.advanced[6]));
  EXPECT_FALSE(CopiedAtAll(canvas, skin.advanced[4]));
}

TEST_F(PagePaint, TheLedPreviewFollowsTheGreyFlagAndThenTheIndex) {
  const SkinEntry& spot = skin.color[11];
  struct Row {
    std::uint8_t grey;
    std::int32_t index;
    bool copied;
    SpotSource source;
  };
  const Row rows[] = {{1, 2, true, SpotSource::LedDark}, {0, 0, true, SpotSource::LedBlue},
                      {0, 1, false, SpotSource::Hovered}, {0, 2, true, SpotSource::Hovered},
                      {0, 3, true, SpotSource::Pressed},  {0, 9, false, SpotSource::Hovered}};
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << int(row.grey) << "/" << row.index);
    preview.grey = row.grey;
    preview.index = row.index;
    const RecordingCanvas canvas = Paint(Page::Colour);
    const auto copies = canvas.All<CopyOp>();
    const auto onSpot = std::count_if(copies.begin(), copies.end(), [&](const CopyOp& op) { return op.area == AreaOf(spot); });
    EXPECT_EQ(onSpot, row.copied ? 1 : 0);
    if (row.copied) {
      EXPECT_TRUE(Copied(canvas, row.source, spot));
    }
  }
}

TEST_F(PagePaint, TheColourPageShowsTheLedModeAndTheDpiOfTheSentSensorCode) {
  config.LED_STATUS = 2;
  config.DPI_LEVEL = 1;
  config.sentSensorCode = {1, 7, 8, 15};
  RecordingCanvas canvas = Paint(Page::Colour);
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, skin.color[2]));
  EXPECT_EQ(canvas.All<TextOp>()[20 + 9].text, u"1600");
  config.DPI_LEVEL = 2;  // code 8 is not in the table
  EXPECT_EQ(Paint(Page::Colour).All<TextOp>()[20 + 9].text, u"200");
  config.DPI_LEVEL = 3;
  EXPECT_EQ(Paint(Page::Colour).All<TextOp>()[20 + 9].text, u"4800");
}

TEST_F(PagePaint, BadLayoutsAndOutOfRangeValuesClipOrDrawNothing) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  skin.main[54] = {-10, -5, 30, 20, u""};        // partly above and left of the window
  skin.main[41] = {990, 590, kMax, kMax, u""};   // ends past the window and past the 32-bit range
  skin.main[66] = {kMax, kMax, 10, 10, u""};     // wholly outside
  skin.main[67] = {5, 5, -10, 20, u""};          // negative width
  skin.main[68] = {kMin, 0, kMax, 10, u""};      // ends just before x = 0
  skin.main[69] = {20, 20, 2, 1, u""};           // nothing left once inset
  config.DPI_SET = {5, 0, 0, 0};
  config.DPI_LEVEL = 0;
  config.WHEEL_STATUS = 0;
  ui.mainHover = 121;                            // a spot beyond the button highlights
  RecordingCanvas canvas = Paint(Page::Main);
  for (const CopyOp& op : canvas.All<CopyOp>()) {
    EXPECT_GE(op.area.left, 0);
    EXPECT_GE(op.area.top, 0);
    EXPECT_LT(op.area.left, op.area.right);
    EXPECT_LT(op.area.top, op.area.bottom);
    EXPECT_LE(op.area.right, kWidth);
    EXPECT_LE(op.area.bottom, kHeight);
  }
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, SkinEntry{0, 0, 20, 15, {}}));
  EXPECT_TRUE(Copied(canvas, SpotSource::Pressed, SkinEntry{990, 590, 10, 10, {}}));
  const auto fills = canvas.All<FillOp>();
  ASSERT_EQ(fills.size(), 2u + 3u);  // segments 70 and 71 of level 0, one each for the others
  EXPECT_EQ(fills[0].area, AreaOf(SkinEntry{skin.main[70].x + 1, skin.main[70].y + 1, 38, 29, {}}));

  // Indices from the configuration or the input that no table holds.
  // Values past their range that would still address another entry of the table.
  config.DPI_LEVEL = 9;
  config.LED_STATUS = 9;      // colour entry 9 is the DPI number
  config.DPI_SPEED = 15;      // advanced entry 23 is a wheel-speed choice
  config.WHEEL_SPEED = 250;
  macros.currentMacro = 99;
  ui.colourHover = 13;
  ui.advancedHover = 52;
  ui.mainHover = 124;
  EXPECT_EQ(Paint(Page::Colour).All<TextOp>()[20 + 9].text, u"200");
  EXPECT_EQ(Paint(Page::Colour).All<CopyOp>().size(), 4u);  // configuration, tab, language and the preview
  const RecordingCanvas advanced = Paint(Page::Advanced);
  EXPECT_FALSE(CopiedAtAll(advanced, skin.advanced[23]));
  EXPECT_EQ(advanced.All<TextOp>().size(), 72u);
}

}  // namespace
}  // namespace zr::test
