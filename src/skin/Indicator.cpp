#include "skin/Indicator.h"

#include "skin/ScreenPlacement.h"

#include <algorithm>
#include <cmath>

#include "config/FunctionTable.h"
#include "config/RecordRules.h"
#include "platform/Text.h"
#include "skin/PagePaint.h"

namespace zr {
namespace {

constexpr std::size_t kLongestProgramName = 64;

bool English(std::uint8_t languageFlag) { return languageFlag != 0; }

std::u16string Numbered(std::u16string_view english, std::u16string_view chinese, std::int32_t number,
                        std::uint8_t languageFlag) {
  return std::u16string(English(languageFlag) ? english : chinese) + DecimalText(number);
}

// A program named by a path shows as its file name.
std::u16string ProgramName(std::u16string_view program) {
  const std::size_t slash = program.find_last_of(u"\\/");
  if (slash != std::u16string_view::npos) program.remove_prefix(slash + 1);
  return std::u16string(program.substr(0, kLongestProgramName));
}

Rgb Mix(Rgb a, Rgb b, std::int32_t percentOfA) {
  auto channel = [percentOfA](std::uint8_t x, std::uint8_t y) {
    return static_cast<std::uint8_t>((x * percentOfA + y * (100 - percentOfA) + 50) / 100);
  };
  return {channel(a.red, b.red), channel(a.green, b.green), channel(a.blue, b.blue)};
}

void AddMark(IndicatorContent& content, Rgb colour, bool current) {
  if (content.markCount < content.marks.size()) content.marks[content.markCount++] = {colour, current};
}

// Distance from the pixel centre (px, py) to the edge of a rounded
// rectangle; negative inside.
float RoundRectDistance(const IndicatorShape& shape, float px, float py) {
  const float halfWidth = static_cast<float>(shape.rect.right - shape.rect.left) / 2;
  const float halfHeight = static_cast<float>(shape.rect.bottom - shape.rect.top) / 2;
  const float radius = std::min({shape.radius, halfWidth, halfHeight});
  const float qx = std::fabs(px - (static_cast<float>(shape.rect.left) + halfWidth)) - (halfWidth - radius);
  const float qy = std::fabs(py - (static_cast<float>(shape.rect.top) + halfHeight)) - (halfHeight - radius);
  const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

std::uint8_t Blend(std::uint8_t source, float coverage, std::uint8_t destination) {
  return static_cast<std::uint8_t>(std::lround(source * coverage + destination * (1 - coverage)));
}

}  // namespace

std::optional<IndicatorContent> DpiLevelIndicator(const ConfigRecord& config, std::int32_t level,
                                                  std::uint8_t languageFlag) {
  if (level < 0 || level >= kDpiLevels) return std::nullopt;
  IndicatorContent content;
  content.kind = IndicatorKind::DpiLevel;
  content.accent = kDpiLevelColours[level];
  content.badge = DecimalText(level + 1);
  content.title = Numbered(u"DPI LEVEL ", u"DPI \u6863\u4F4D ", level + 1, languageFlag);
  // What the download sent for the level's step: a step beyond the table
  // went to the mouse as the lowest resolution.
  content.value = DecimalText(DpiOfSensorCode(SensorCodeOfStep(config.DPI_SET[level]))) + u" DPI";
  for (std::int32_t i = 0; i < kDpiLevels; ++i)
    if (config.DPI_SET_EN[i] != 0 || i == level) AddMark(content, kDpiLevelColours[i], i == level);
  return content;
}

std::optional<IndicatorContent> ReportRateIndicator(std::uint8_t step, std::uint8_t languageFlag) {
  if (!IsReportRateStep(step)) return std::nullopt;
  IndicatorContent content;
  content.kind = IndicatorKind::ReportRate;
  content.accent = kIndicatorRed;
  content.badge = u"Hz";
  content.title = English(languageFlag) ? u"REPORT RATE" : u"\u56DE\u62A5\u7387";
  content.value = DecimalText(kReportRates[step]) + u" Hz";
  for (std::size_t i = 0; i < kReportRates.size(); ++i) AddMark(content, kIndicatorRed, i == step);
  return content;
}

std::optional<IndicatorContent> ProfileIndicator(std::int32_t profile, std::u16string_view program,
                                                 std::uint8_t languageFlag) {
  if (profile < 1 || profile > kProfiles) return std::nullopt;
  IndicatorContent content;
  content.kind = IndicatorKind::Profile;
  content.accent = kIndicatorRed;
  content.badge = DecimalText(profile);
  content.title = Numbered(u"PROFILE ", u"\u914D\u7F6E ", profile, languageFlag);
  content.value = ProgramName(program);
  for (std::int32_t i = 1; i <= kProfiles; ++i) AddMark(content, kIndicatorRed, i == profile);
  return content;
}

std::u16string IndicatorCaption(const IndicatorContent& content) {
  return content.value.empty() ? content.title : content.title + u": " + content.value;
}

IndicatorLayout LayOutIndicator(const IndicatorContent& content) {
  IndicatorLayout layout;
  const std::int32_t w = layout.width, h = layout.height;
  auto shape = [&layout](PixelRect rect, float radius, Rgb colour) { layout.shapes.push_back({rect, radius, colour}); };

  // The panel: an edge line, the graphite body, and the red marks the skin's
  // panels carry in their top corners.
  shape({0, 0, w, h}, 14, kIndicatorEdge);
  shape({1, 1, w - 1, h - 1}, 13, kIndicatorPanel);
  shape({16, 8, 30, 11}, 1.5f, kIndicatorRed);
  shape({w - 30, 8, w - 16, 11}, 1.5f, kIndicatorRed);

  // The badge: a ring in the accent colour around a dark disc, as the DPI
  // grid draws its level numbers.
  const PixelRect badge{20, 18, 80, 78};
  shape(badge, 30, content.accent);
  shape({badge.left + 3, badge.top + 3, badge.right - 3, badge.bottom - 3}, 27, kIndicatorSlot);

  // The marks: the current place is long and in full colour, the others short and dimmed.
  constexpr std::int32_t kMarkTop = 74, kMarkHeight = 6, kCurrentWidth = 28, kOtherWidth = 14, kGap = 6;
  std::int32_t x = 100;
  for (std::size_t i = 0; i < content.markCount; ++i) {
    const IndicatorMark& mark = content.marks[i];
    const std::int32_t width = mark.current ? kCurrentWidth : kOtherWidth;
    shape({x, kMarkTop, x + width, kMarkTop + kMarkHeight}, 3, mark.current ? mark.colour : Mix(mark.colour, kIndicatorPanel, 55));
    x += width + kGap;
  }

  const bool program = content.kind == IndicatorKind::Profile;
  layout.texts.push_back({badge, content.badge, kIndicatorWhite, content.badge.size() > 1 ? 22 : 30, true,
                          IndicatorText::Align::Centre, false});
  layout.texts.push_back({{100, 14, w - 18, 32}, content.title, kIndicatorSoft, 14, false, IndicatorText::Align::Left, true});
  layout.texts.push_back({{100, program ? 36 : 32, w - 18, program ? 66 : 70}, content.value, kIndicatorWhite,
                          program ? 22 : 32, true, IndicatorText::Align::Left, true});
  return layout;
}

IndicatorPixels RenderIndicatorShapes(const IndicatorLayout& layout) {
  IndicatorPixels pixels;
  pixels.width = std::max(layout.width, 0);
  pixels.height = std::max(layout.height, 0);
  const std::size_t count = static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height);
  pixels.colour.assign(count, Rgb{});
  pixels.alpha.assign(count, 0);
  for (const IndicatorShape& shape : layout.shapes) {
    // Only the pixels the shape can touch, and none outside the picture.
    const std::int32_t left = std::max(shape.rect.left, 0), top = std::max(shape.rect.top, 0);
    const std::int32_t right = std::min(shape.rect.right, pixels.width);
    const std::int32_t bottom = std::min(shape.rect.bottom, pixels.height);
    for (std::int32_t y = top; y < bottom; ++y) {
      for (std::int32_t x = left; x < right; ++x) {
        const float distance = RoundRectDistance(shape, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
        const float coverage = std::clamp(0.5f - distance, 0.0f, 1.0f);
        if (coverage <= 0) continue;
        const std::size_t i = pixels.Index(x, y);
        Rgb& c = pixels.colour[i];
        c = {Blend(shape.colour.red, coverage, c.red), Blend(shape.colour.green, coverage, c.green),
             Blend(shape.colour.blue, coverage, c.blue)};
        pixels.alpha[i] = Blend(255, coverage, pixels.alpha[i]);
      }
    }
  }
  return pixels;
}

PixelRect PlaceIndicator(const PixelRect& workArea, std::int32_t width, std::int32_t height) {
  // Clear of the taskbar's edge and of a game's own bottom line of text,
  // where the area is tall enough for the margin.
  constexpr std::int64_t kBottomMargin = 72;
  const ScreenArea area{workArea.left, workArea.top, workArea.right, workArea.bottom};
  std::int64_t top = area.bottom - height - kBottomMargin;
  if (top < area.top) top = area.bottom - height;
  const ScreenPoint at =
      PlaceInWorkArea(area.left + (area.right - area.left - width) / 2, top, ScreenSize{width, height}, area);
  return {at.x, at.y, at.x + width, at.y + height};
}

void IndicatorFade::Restart(std::uint64_t nowMs) {
  // A switch while it is still up keeps what is on the screen and brightens
  // it; from hidden it starts faint, not invisible, so the first frame shows.
  constexpr std::uint8_t kFirstAlpha = 64;
  const Frame now = At(nowMs);
  fromAlpha_ = std::max(now.visible ? now.alpha : std::uint8_t{0}, kFirstAlpha);
  started_ = nowMs;
}

IndicatorFade::Frame IndicatorFade::At(std::uint64_t nowMs) const {
  if (!started_) return {};
  const std::uint64_t t = nowMs >= *started_ ? nowMs - *started_ : 0;
  if (t < kIndicatorFadeInMs) {
    const auto rise = static_cast<std::uint32_t>((255 - fromAlpha_) * t / kIndicatorFadeInMs);
    return {static_cast<std::uint8_t>(fromAlpha_ + rise), true,
            std::min<std::uint32_t>(kIndicatorFrameMs, static_cast<std::uint32_t>(kIndicatorFadeInMs - t))};
  }
  if (t < kIndicatorHoldMs) return {255, true, static_cast<std::uint32_t>(kIndicatorHoldMs - t)};
  const std::uint64_t intoFade = t - kIndicatorHoldMs;
  if (intoFade >= kIndicatorFadeOutMs) return {};
  const auto alpha = static_cast<std::uint8_t>(std::max<std::uint64_t>(1, 255 * (kIndicatorFadeOutMs - intoFade) / kIndicatorFadeOutMs));
  return {alpha, true, std::min<std::uint32_t>(kIndicatorFrameMs, static_cast<std::uint32_t>(kIndicatorFadeOutMs - intoFade))};
}

}  // namespace zr
