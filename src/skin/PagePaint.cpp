#include "skin/PagePaint.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "config/FunctionTable.h"
#include "platform/Text.h"

namespace zr {
namespace {

// Roles of the main layout's entries.
constexpr std::int32_t kCommonSpots = 20;          // 0..19 on every page
constexpr std::int32_t kConfigSpotOffset = 3;      // configuration N is spot N + 3
constexpr std::int32_t kFirstTabSpot = 9;          // + the page
constexpr std::int32_t kChineseSpot = 17;
constexpr std::int32_t kEnglishSpot = 18;
constexpr std::int32_t kFirstButtonField = 25;     // mouse buttons K0..K5
constexpr std::int32_t kLastButtonField = 30;
constexpr std::int32_t kButtonHighlightOffset = 90;
constexpr std::int32_t kFirstWheelSpot = 41;
constexpr std::int32_t kFirstDpiEnableSpot = 46;
constexpr std::int32_t kFirstDpiLevelSpot = 54;
constexpr std::int32_t kFirstDpiBarSpot = 66;
constexpr std::int32_t kDpiBarSegments = 12;
constexpr std::int32_t kButtonLabelIndent = 5;

// Roles of the advanced layout's entries.
constexpr std::int32_t kRecordSpot = 4;
constexpr std::int32_t kRepeatModeSpot = 6;
constexpr std::int32_t kTriggerModeSpot = 7;
constexpr std::int32_t kFirstPointerSpeedSpot = 8;
constexpr std::int32_t kFirstWheelSpeedSpot = 18;
constexpr std::int32_t kFireTimeBar = 30;
constexpr std::int32_t kFireTimeLabel = 33;
constexpr std::int32_t kPressCountLabel = 43;
constexpr std::int32_t kReleaseCountLabel = 44;
constexpr std::uint32_t kFullFireTime = 300;

// Roles of the colour layout's entries.
constexpr std::int32_t kDpiNumberLabel = 9;
constexpr std::int32_t kLedPreviewSpot = 11;

// How many texts each page draws: the common ones, then the page's own.
constexpr std::int32_t kMainTexts = 54;
constexpr std::int32_t kAdvancedTexts = 72;
constexpr std::int32_t kColourTexts = 33;

std::int32_t Saturate(std::int64_t value) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

template <std::size_t N>
const SkinEntry* EntryAt(const std::array<SkinEntry, N>& table, std::int64_t index) {
  return index >= 0 && index < static_cast<std::int64_t>(N) ? &table[static_cast<std::size_t>(index)] : nullptr;
}

class Painter {
 public:
  Painter(Canvas& canvas, const PaintInputs& in) : canvas_(canvas), in_(in), page_(in.ui.currentPage.load()) {}

  void Paint() {
    StateOverlay();
    CommonSpots();
    Texts();
  }

 private:
  std::optional<PixelRect> Clip(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) const {
    return ClipToFrame(x, y, width, height, in_.width, in_.height);
  }

  void Copy(SpotSource source, const SkinEntry* entry) {
    if (entry == nullptr) return;
    if (const auto area = Clip(entry->x, entry->y, entry->width, entry->height)) canvas_.CopySpot(source, *area);
  }

  void Centred(const SkinEntry& entry, std::u16string_view text, Rgb colour) {
    DrawCentred(canvas_, entry.x, entry.y, entry.width, entry.height, text, colour);
  }

  void StateOverlay() {
    switch (page_) {
      case Page::Main:
        Hover(in_.skin.main, in_.ui.mainHover, false);
        MainOverlay();
        break;
      case Page::Advanced:
        Hover(in_.skin.advanced, in_.ui.advancedHover, true);
        AdvancedOverlay();
        break;
      case Page::Colour:
        Hover(in_.skin.color, in_.ui.colourHover, false);
        ColourOverlay();
        break;
    }
  }

  template <std::size_t N>
  void Hover(const std::array<SkinEntry, N>& layout, std::int32_t hover, bool advanced) {
    if (hover == kNoSpot) return;
    if (!in_.ui.pressed)
      Copy(SpotSource::Hovered, EntryAt(layout, hover));
    else if (!(advanced && hover == kFireTimeBar))  // the fire-time bar shows the fire time, not the press
      Copy(SpotSource::Pressed, EntryAt(layout, hover));
  }

  void MainOverlay() {
    const MainLayout& main = in_.skin.main;
    const std::int32_t level = in_.config.DPI_LEVEL.load();
    if (level >= 0 && level < kDpiLevels) Copy(SpotSource::Pressed, EntryAt(main, kFirstDpiLevelSpot + level));

    for (std::int32_t i = 0; i < kDpiLevels; ++i) {
      // A step beyond the table is sent as the lowest resolution; show it as that.
      std::int32_t step = in_.config.DPI_SET[static_cast<std::size_t>(i)];
      if (step >= kDpiSteps) step = 0;
      for (std::int32_t s = 0; s <= step; ++s) {
        const SkinEntry& segment = main[static_cast<std::size_t>(kFirstDpiBarSpot + kDpiBarSegments * i + s)];
        // Inset by a pixel left, top and right, so the bar's outline stays.
        if (const auto area = Clip(std::int64_t{segment.x} + 1, std::int64_t{segment.y} + 1,
                                   std::int64_t{segment.width} - 2, std::int64_t{segment.height} - 1))
          canvas_.Fill(*area, kDpiLevelColours[i]);
      }
      if (in_.config.DPI_SET_EN[static_cast<std::size_t>(i)] == 1)
        Copy(SpotSource::Pressed, EntryAt(main, kFirstDpiEnableSpot + i));
    }

    Copy(SpotSource::Pressed, EntryAt(main, in_.config.WHEEL_STATUS.load() == 0 ? kFirstWheelSpot : kFirstWheelSpot + 1));

    const std::int32_t hover = in_.ui.mainHover;
    if (hover >= kFirstButtonField && hover <= kLastButtonField)
      Copy(SpotSource::Hovered, EntryAt(main, hover + kButtonHighlightOffset));
  }

  void AdvancedOverlay() {
    const AdvancedLayout& advanced = in_.skin.advanced;
    if (in_.editor.recording != 0) Copy(SpotSource::Pressed, &advanced[kRecordSpot]);
    // A step from a file beyond the ten choices would land on another row's spot; it shows none pressed.
    if (in_.config.DPI_SPEED < kSpeedSteps) Copy(SpotSource::Pressed, &advanced[kFirstPointerSpeedSpot + in_.config.DPI_SPEED]);
    if (in_.config.WHEEL_SPEED < kSpeedSteps) Copy(SpotSource::Pressed, &advanced[kFirstWheelSpeedSpot + in_.config.WHEEL_SPEED]);

    // Unsigned, as the bar has always been computed; a fire time beyond 300
    // (only a file holds one) still fills no more than the bar.
    const SkinEntry& bar = advanced[kFireTimeBar];
    if (bar.width > 0) {
      const std::uint32_t width = static_cast<std::uint32_t>(in_.config.FIRE_TIME) * static_cast<std::uint32_t>(bar.width) / kFullFireTime;
      const std::int64_t shown = std::min<std::int64_t>(width, bar.width);
      if (const auto area = Clip(bar.x, bar.y, shown, bar.height)) canvas_.CopySpot(SpotSource::Pressed, *area);
    }

    if (in_.config.MACRO_MODE2.load() != 0) Copy(SpotSource::Pressed, &advanced[kTriggerModeSpot]);
    if (const MacroRecord* macro = CurrentMacro(); macro != nullptr && macro->repeatMode == 1)
      Copy(SpotSource::Pressed, &advanced[kRepeatModeSpot]);
  }

  const MacroRecord* CurrentMacro() const {
    const std::int32_t slot = in_.macros.currentMacro;
    return slot >= 0 && slot < kMacroSlots ? &in_.macros.macros[static_cast<std::size_t>(slot)] : nullptr;
  }

  void ColourOverlay() {
    const ColorLayout& colour = in_.skin.color;
    if (in_.config.LED_STATUS < kLedModes) Copy(SpotSource::Pressed, &colour[in_.config.LED_STATUS]);
    const SkinEntry* preview = &colour[kLedPreviewSpot];
    if (in_.preview.grey.load() != 0) {
      Copy(SpotSource::LedDark, preview);
      return;
    }
    switch (in_.preview.index.load()) {
      case 0: Copy(SpotSource::LedBlue, preview); break;
      case 2: Copy(SpotSource::Hovered, preview); break;
      case 3: Copy(SpotSource::Pressed, preview); break;
      default: break;  // 1: the normal image already shows pink
    }
  }

  void CommonSpots() {
    const std::int32_t activeTab = kFirstTabSpot + static_cast<std::int32_t>(page_);
    const std::int32_t activeLanguage = in_.languageFlag == 0 ? kChineseSpot : in_.languageFlag == 1 ? kEnglishSpot : -1;
    for (std::int32_t i = 0; i < kCommonSpots; ++i) {
      const SkinEntry* spot = &in_.skin.main[static_cast<std::size_t>(i)];
      if (i == std::int64_t{in_.currentConfig} + kConfigSpotOffset)
        Copy(SpotSource::Pressed, spot);
      else if (i == in_.ui.mainHover)
        Copy(in_.ui.pressed ? SpotSource::Pressed : SpotSource::Hovered, spot);
      else if (i == activeTab || i == activeLanguage)
        Copy(SpotSource::Pressed, spot);
    }
  }

  void Texts() {
    const std::int32_t count = page_ == Page::Main ? kMainTexts : page_ == Page::Advanced ? kAdvancedTexts : kColourTexts;
    for (std::int32_t j = 0; j < count; ++j) {
      if (page_ == Page::Main && j >= kFirstButtonField && j <= kLastButtonField)
        ButtonField(j);
      else if (j < kCommonSpots || page_ == Page::Main)
        Centred(in_.skin.main[static_cast<std::size_t>(j)], in_.skin.main[static_cast<std::size_t>(j)].label, kTextWhite);
      else if (page_ == Page::Advanced)
        AdvancedText(j - kCommonSpots);
      else
        ColourText(j - kCommonSpots);
    }
  }

  void ButtonField(std::int32_t j) {
    const SkinEntry& field = in_.skin.main[static_cast<std::size_t>(j)];
    const std::int32_t code = in_.config.K[static_cast<std::size_t>(j - kFirstButtonField)].load();
    const std::u16string text = ButtonFunctionLabel(code, in_.skin.functionNames, in_.macros);
    const TextExtent extent = canvas_.MeasureText(text);
    const std::int64_t top = field.y + (std::int64_t{field.height} - extent.height) / 2;
    canvas_.DrawText(Saturate(std::int64_t{field.x} + kButtonLabelIndent), Saturate(top), text,
                     j == in_.ui.mainHover ? kTextRed : kTextWhite);
  }

  void AdvancedText(std::int32_t a) {
    const SkinEntry& entry = in_.skin.advanced[static_cast<std::size_t>(a)];
    const bool english = in_.languageFlag != 0;
    std::u16string replaced;
    std::u16string_view text = entry.label;
    switch (a) {
      case kRecordSpot:
        text = in_.editor.recording != 0 ? (english ? u"Stop" : u"停止") : (english ? u"Record" : u"录制");
        break;
      case kFireTimeLabel:
        replaced = DecimalText(in_.config.FIRE_TIME) + u"ms";
        text = replaced;
        break;
      case kPressCountLabel:
        replaced = u"[↓]" + DecimalText(in_.editor.pressCount);
        text = replaced;
        break;
      case kReleaseCountLabel:
        replaced = u"[↑]" + DecimalText(in_.editor.releaseCount);
        text = replaced;
        break;
      default: break;
    }
    Centred(entry, text, a == in_.ui.advancedHover ? kTextRed : kTextWhite);
  }

  void ColourText(std::int32_t c) {
    const SkinEntry& entry = in_.skin.color[static_cast<std::size_t>(c)];
    if (c != kDpiNumberLabel) {
      Centred(entry, entry.label, kTextWhite);
      return;
    }
    const std::int32_t level = in_.config.DPI_LEVEL.load();
    const std::uint8_t code = level >= 0 && level < kDpiLevels ? in_.config.sentSensorCode[static_cast<std::size_t>(level)] : 0;
    Centred(entry, DecimalText(DpiOfSensorCode(code)), kTextWhite);
  }

  Canvas& canvas_;
  const PaintInputs& in_;
  const Page page_;  // read once: the page may not change halfway through a paint
};

}  // namespace

std::u16string ButtonFunctionLabel(std::int32_t code, const FunctionNames& names, const MacroTables& macros) {
  // A user macro goes by the name the user gave it; a broken code has no name.
  if (HostActionOf(code) == HostAction::UserMacro) return MacroName(macros.macros[MacroSlotOf(code)]);
  return IsValidFunctionCode(code) ? names[code] : std::u16string();
}

void ComposePage(Canvas& canvas, const PaintInputs& in) { Painter(canvas, in).Paint(); }

}  // namespace zr
