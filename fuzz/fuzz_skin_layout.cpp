// Any bytes as a skin layout file, read by all four loaders as the program
// reads its files, then used as the program uses the tables: the hit tests
// of every page and the paint of every page. A fixed header in front of the
// file gives the state the paint draws (page, cursor, press, configuration,
// window size). Beyond crashes and overflow it checks what the window relies
// on: a hit is the first entry that holds the point, every spot that holds
// the point is found, and a paint hands the surface only areas inside the
// frame.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

#include "app/MainWindowInput.h"
#include "config/ConfigRecord.h"
#include "platform/IniEngine.h"
#include "platform/Text.h"
#include "skin/PagePaint.h"
#include "skin/SkinReader.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// One file in memory, parsed once by the profile engine and looked up by
// an index that keeps the engine's rules (no case, the first section and
// the first key of a name win), so that a run costs one parse and not a
// search per value.
class OneFile final : public zr::ProfileFiles, public zr::FileQueries {
 public:
  OneFile(std::u16string path, std::string_view bytes) : path_(std::move(path)), document_(zr::ParseIni(bytes)) {
    std::set<std::u16string> sectionsSeen;
    for (const zr::IniSection& section : document_.sections) {
      if (!sectionsSeen.insert(Folded(section.name)).second) continue;
      for (const zr::IniKey& key : section.keys) index_.emplace(Folded(section.name) + u'\n' + Folded(key.name), &key);
    }
  }
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                            std::size_t bufferSize, std::u16string_view path) override {
    if (path != path_) return zr::CopyProfileEntry(fallback, bufferSize);
    const auto found = index_.find(Folded(section) + u'\n' + Folded(key));
    const bool valued = found != index_.end() && found->second->value.has_value();
    return zr::CopyProfileEntry(valued ? std::u16string_view(*found->second->value) : fallback, bufferSize);
  }
  bool WriteString(std::u16string_view, std::u16string_view, std::u16string_view, std::u16string_view) override {
    std::abort();  // loading a layout writes nothing
  }
  bool Exists(std::u16string_view path) override { return path == path_; }

 private:
  static std::u16string Folded(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) c = zr::FoldCase(c);
    return folded;
  }
  std::u16string path_;
  zr::IniDocument document_;
  std::unordered_map<std::u16string, const zr::IniKey*> index_;
};

class Quiet final : public zr::UserNotices, public zr::ExitRequests {
 public:
  void ShowMessage(std::u16string_view, std::u16string_view) override {}
  void RequestExit() override { std::abort(); }  // the file is there
};

// A surface that only checks what it is handed.
class FrameCheck final : public zr::Canvas {
 public:
  FrameCheck(std::int32_t width, std::int32_t height) : width_(width), height_(height) {}
  void CopySpot(zr::SpotSource, const zr::PixelRect& area) override { RequireInFrame(area); }
  void Fill(const zr::PixelRect& area, zr::Rgb) override { RequireInFrame(area); }
  zr::TextExtent MeasureText(std::u16string_view text) override {
    return {static_cast<std::int32_t>(std::min<std::size_t>(text.size(), 4096)) * 7, 14};
  }
  void DrawText(std::int32_t, std::int32_t, std::u16string_view, zr::Rgb) override {}

 private:
  void RequireInFrame(const zr::PixelRect& area) const {
    Require(area.left < area.right && area.top < area.bottom);
    Require(area.left >= 0 && area.top >= 0);
    Require(area.right <= width_ && area.bottom <= height_);
  }
  std::int32_t width_, height_;
};

// The state in front of the file.
struct Header {
  static constexpr std::size_t kSize = 30;
  explicit Header(const std::uint8_t* b) : bytes(b) {}
  std::uint8_t U8(std::size_t at) const { return bytes[at]; }
  std::int32_t I16(std::size_t at) const {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8)));
  }
  const std::uint8_t* bytes;
};

// The hit test's promise, checked at one point of one table.
void CheckHit(std::span<const zr::SkinEntry> table, std::int32_t last, std::int64_t x, std::int64_t y) {
  if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return;
  const auto px = static_cast<std::int32_t>(x), py = static_cast<std::int32_t>(y);
  const std::int32_t hit = zr::HitTest(table, last, px, py);
  const auto holds = [&](const zr::SkinEntry& e) {
    return e.width > 0 && e.height > 0 && x >= e.x && x < std::int64_t{e.x} + e.width && y >= e.y &&
           y < std::int64_t{e.y} + e.height;
  };
  std::int32_t first = zr::kNoSpot;
  for (std::int32_t i = 0; i <= last && i < static_cast<std::int32_t>(table.size()); ++i)
    if (holds(table[static_cast<std::size_t>(i)])) {
      first = i;
      break;
    }
  Require(hit == first);
}

// Each spot's first and last pixel and the points just past it; a spot
// that repeats an earlier one (a table of zero entries) adds nothing new.
// One spot in eight, chosen by the header, keeps a run short.
void CheckHits(std::span<const zr::SkinEntry> table, std::int32_t last, std::uint8_t pick) {
  std::set<std::array<std::int32_t, 4>> seen;
  for (std::int32_t i = pick % 8; i <= last && i < static_cast<std::int32_t>(table.size()); i += 8) {
    const zr::SkinEntry& e = table[static_cast<std::size_t>(i)];
    if (!seen.insert({e.x, e.y, e.width, e.height}).second) continue;
    const std::int64_t right = std::int64_t{e.x} + e.width, bottom = std::int64_t{e.y} + e.height;
    CheckHit(table, last, e.x, e.y);
    CheckHit(table, last, right - 1, bottom - 1);
    CheckHit(table, last, right, e.y);
    CheckHit(table, last, e.x, bottom);
  }
}

std::int32_t HoverAt(std::span<const zr::SkinEntry> table, std::int32_t last, std::int32_t x, std::int32_t y) {
  return zr::HitTest(table, last, x, y);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < Header::kSize) return 0;
  const Header header(data);
  const std::u16string path = u"\\s.ini";  // short: every value read compares it
  OneFile file(path, std::string_view(reinterpret_cast<const char*>(data + Header::kSize), size - Header::kSize));
  Quiet quiet;
  zr::SkinValueReader reader({file, file, quiet, quiet});
  auto skin = std::make_unique<zr::SkinLayouts>();
  Require(zr::LoadMainLayout(reader, path, skin->main, skin->functionNames));
  Require(zr::LoadAdvancedLayout(reader, path, skin->advanced, skin->controls));
  Require(zr::LoadColorLayout(reader, path, skin->color));
  Require(zr::LoadWarningLayout(reader, path, skin->warning));
  for (std::int32_t key = zr::FunctionNames::kFirstKey - 2; key <= zr::FunctionNames::kLastKey + 2; ++key)
    (void)skin->functionNames[key];

  const std::uint8_t pick = header.U8(0) >> 2;
  CheckHits(skin->main, zr::kMainPageLastEntry, pick);
  CheckHits(skin->advanced, zr::kAdvancedLastEntry, pick);
  CheckHits(skin->color, zr::kColourLastEntry, pick);
  CheckHits(skin->warning, static_cast<std::int32_t>(zr::kWarningLayoutEntries) - 1, pick);

  // The paint, with the cursor where the header says.
  auto config = std::make_unique<zr::ConfigRecord>();
  zr::SetFactoryDefaults(*config);
  config->DPI_LEVEL = static_cast<std::int8_t>(header.U8(4));
  for (std::size_t i = 0; i < zr::kDpiLevels; ++i) {
    config->DPI_SET[i] = header.U8(5 + i);
    config->DPI_SET_EN[i] = (header.U8(9) >> i) & 1;
  }
  config->FIRE_TIME = header.I16(10);
  config->MACRO_MODE2 = header.U8(12) & 1;
  config->LED_STATUS = header.U8(13) & 0x0F;
  config->DPI_SPEED = header.U8(28);
  config->WHEEL_SPEED = header.U8(29);
  for (std::size_t slot = 0; slot < zr::kButtonSlots; ++slot) config->K[slot] = static_cast<std::int8_t>(header.U8(22 + slot));
  // Only their names are drawn, and nothing a paint does changes them.
  static const std::unique_ptr<zr::MacroTables> macros = [] {
    auto tables = std::make_unique<zr::MacroTables>();
    tables->macroCount = zr::kUserMacroSlots;
    for (int slot = 0; slot < zr::kUserMacroSlots; ++slot)
      zr::SetMacroName(tables->macros[static_cast<std::size_t>(slot)], u"macro " + zr::DecimalText(slot));
    return tables;
  }();
  zr::MacroEditorState editor;
  editor.recording = header.U8(1) >> 4 & 1;
  zr::ColourPreviewState preview;
  preview.index = header.U8(13) >> 4;
  preview.grey = header.U8(2) >> 4 & 1;
  zr::UiState ui;
  ui.pressed = header.U8(1) & 1;
  const std::int32_t width = 1 + (static_cast<std::int32_t>(header.I16(14)) & 0x7FF);
  const std::int32_t height = 1 + (static_cast<std::int32_t>(header.I16(16)) & 0x7FF);
  const std::int32_t x = header.I16(18), y = header.I16(20);
  const auto page = static_cast<zr::Page>(header.U8(0) % 3);
  ui.currentPage = page;
  ui.mainHover = HoverAt(skin->main, page == zr::Page::Main ? zr::kMainPageLastEntry : zr::kHeaderLastEntry, x, y);
  ui.advancedHover = page == zr::Page::Advanced ? HoverAt(skin->advanced, zr::kAdvancedLastEntry, x, y) : zr::kNoSpot;
  ui.colourHover = page == zr::Page::Colour ? HoverAt(skin->color, zr::kColourLastEntry, x, y) : zr::kNoSpot;
  FrameCheck canvas(width, height);
  zr::ComposePage(canvas, zr::PaintInputs{ui, preview, *config, *macros, editor, *skin,
                                          static_cast<std::uint8_t>(header.U8(2) & 1),
                                          static_cast<std::int32_t>(header.U8(3) % 7), width, height});
  return 0;
}
