// Any bytes as a skin layout file: the spots the pop-ups use, read through
// the layout reader as the loaders read them (only those: a run stays
// cheap), then the button-function pop-ups, their sub-menus and the warning
// placed for every button on a few desktops and window positions, and the
// advanced page's controls clipped to the window. Beyond crashes and
// undefined arithmetic it checks what a person relies on: whatever the file
// says, every pop-up that fits the work area lies inside it, opens below its
// button when there is room, and a sub-menu with room on either side does not
// cover its own menu.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>

#include "platform/IniEngine.h"
#include "platform/Text.h"
#include "skin/PopupMenus.h"
#include "skin/ScreenPlacement.h"
#include "skin/SkinReader.h"

namespace {

class OneFile final : public zr::ProfileFiles, public zr::FileQueries, public zr::UserNotices, public zr::ExitRequests {
 public:
  explicit OneFile(std::string_view bytes) : document_(zr::ParseIni(bytes)) {}
  std::u16string ReadString(std::u16string_view section, std::u16string_view key, std::u16string_view defaultValue,
                            std::size_t bufferSize, std::u16string_view) override {
    return zr::ReadProfileEntry(&document_, section, key, defaultValue, bufferSize);
  }
  bool WriteString(std::u16string_view, std::u16string_view, std::u16string_view, std::u16string_view) override {
    return false;
  }
  bool Exists(std::u16string_view) override { return true; }
  void ShowMessage(std::u16string_view, std::u16string_view) override {}
  void RequestExit() override {}

 private:
  zr::IniDocument document_;
};

void Require(bool condition) {
  if (!condition) std::abort();
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

bool Fits(zr::ScreenSize size, const zr::ScreenArea& area) {
  return size.width <= area.right - area.left && size.height <= area.bottom - area.top;
}

void RequireKeptIn(zr::ScreenPoint at, zr::ScreenSize size, const zr::ScreenArea& area) {
  Require(at.x >= area.left && at.y >= area.top);
  if (Fits(size, area)) Require(at.x + size.width <= area.right && at.y + size.height <= area.bottom);
}

// A pop-up that fits opens under its button exactly when there is room there.
void RequireUnderOrAbove(zr::ScreenPoint at, zr::ScreenSize size, const zr::ScreenArea& spot,
                         const zr::ScreenArea& area) {
  if (!Fits(size, area)) return;
  if (spot.bottom >= area.top && spot.bottom + size.height <= area.bottom) Require(at.y == spot.bottom);
  else if (spot.top - size.height >= area.top && spot.top <= area.bottom) Require(at.y + size.height == spot.top);
}

constexpr std::u16string_view kPath = u"\\skin.ini";

zr::SkinEntry ReadEntry(zr::SkinValueReader& reader, std::u16string_view section, std::int32_t n) {
  zr::SkinFields fields = reader.ReadSkinValue(kPath, section, n);
  return {zr::DecimalValue(fields[1]), zr::DecimalValue(fields[2]), zr::DecimalValue(fields[3]),
          zr::DecimalValue(fields[4]), std::move(fields[5])};
}

void PlaceEverything(zr::UiState* ui, const zr::SkinLayouts& skin, zr::PopupMenuState sizes,
                     zr::ScreenPoint window, const zr::ScreenArea& area) {
  ui->menus = sizes;
  for (std::int32_t entry = zr::kFirstButtonEntry; entry <= zr::kLastButtonEntry; ++entry) {
    ui->popupSpot = zr::SpotOnScreen(window.x, window.y, skin.main[entry]);
    const zr::ScreenSize menuSize = zr::MenuShownSize(ui->menus);
    const zr::ScreenPoint menu = zr::MenuPlacement(*ui, area);
    RequireKeptIn(menu, menuSize, area);
    RequireUnderOrAbove(menu, menuSize, ui->popupSpot, area);
    const zr::ScreenPoint warning = zr::WarningPlacement(*ui, area);
    RequireKeptIn(warning, zr::WarningShownSize(ui->menus), area);
    RequireUnderOrAbove(warning, zr::WarningShownSize(ui->menus), ui->popupSpot, area);

    for (std::int32_t group = zr::kAdvancedGroupItem; group <= zr::kConstantMacroGroupItem; ++group) {
      ui->menus.menuHover = group;
      ui->menus.subMenuCount = zr::SubMenuCount(group, 12, 0);
      const zr::ScreenSize subSize = zr::SubMenuShownSize(ui->menus);
      const zr::ScreenPoint sub = zr::SubMenuPlacement(ui->menus, menu.x, menu.y, 12, area);
      RequireKeptIn(sub, subSize, area);
      const std::int64_t menuRight = std::int64_t{menu.x} + menuSize.width;
      const bool roomRight = menuRight + subSize.width <= area.right;
      const bool roomLeft = menu.x - subSize.width >= area.left;
      if (Fits(subSize, area) && (roomRight || roomLeft))
        Require(sub.x >= menuRight || std::int64_t{sub.x} + subSize.width <= menu.x);
    }
  }
  for (const zr::SkinEntry& entry : skin.warning) {
    // Any text size in any box: centring stays a number.
    zr::CentredText(entry.x, entry.y, entry.width, entry.height, sizes.menuItemWidth, sizes.menuItemHeight);
  }
}

void RequireClipped(const zr::PixelRect& rect, std::int32_t width, std::int32_t height) {
  const zr::PixelRect clipped = zr::ClipToWindow(rect, width, height);
  Require(clipped.left >= 0 && clipped.top >= 0 && clipped.left <= clipped.right && clipped.top <= clipped.bottom);
  Require(clipped.right <= std::max(width, 0) && clipped.bottom <= std::max(height, 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  OneFile file(std::string_view(reinterpret_cast<const char*>(data), size));
  zr::SkinValueReader reader({file, file, file, file});
  auto skin = std::make_unique<zr::SkinLayouts>();
  for (std::int32_t n = zr::kFirstButtonEntry; n <= zr::kLastButtonEntry; ++n) skin->main[n] = ReadEntry(reader, u"BUTTONPOS", n);
  for (std::int32_t n : {122, 123}) skin->main[n] = ReadEntry(reader, u"BUTTONPOS", n);
  for (std::int32_t n = 0; n < 3; ++n) skin->warning[n] = ReadEntry(reader, u"BUTTONPOS", n);
  skin->controls = {ReadEntry(reader, u"EDIT", 3).Rect(), ReadEntry(reader, u"EDIT", 4).Rect(),
                    ReadEntry(reader, u"MACRODISPLAY", 1).Rect(), ReadEntry(reader, u"MACRODISPLAY", 2).Rect()};

  // The shipped menus, and menus as large as the file's last entries say
  // (a mask image may have any size).
  zr::PopupMenuState shipped;
  shipped.menuItemWidth = shipped.subMenuItemWidth = 210;
  shipped.menuItemHeight = shipped.subMenuItemHeight = 28;
  shipped.warningWidth = 440;
  shipped.warningHeight = 180;
  zr::PopupMenuState fromFile;
  const zr::SkinEntry& last = skin->main[zr::kMainLayoutEntries - 1];
  const zr::SkinEntry& before = skin->main[zr::kMainLayoutEntries - 2];
  fromFile.menuItemWidth = std::max(last.width, 0);
  fromFile.menuItemHeight = std::max(last.height, 0) / 12;
  fromFile.subMenuItemWidth = std::max(before.width, 0);
  fromFile.subMenuItemHeight = std::max(before.height, 0) / 12;
  fromFile.warningWidth = std::max(before.x, 0);
  fromFile.warningHeight = std::max(before.y, 0);

  auto ui = std::make_unique<zr::UiState>();
  const std::size_t pick = size > 0 ? data[size - 1] : 0;
  const zr::ScreenArea areas[] = {
      {0, 0, 1366, 728}, {0, 40, 1920, 1080}, {-1920, -300, 0, 780}, {62, 0, 1366, 768}};
  for (const zr::ScreenArea& area : areas) {
    const std::int32_t left = static_cast<std::int32_t>(area.left), top = static_cast<std::int32_t>(area.top);
    const std::int32_t right = static_cast<std::int32_t>(area.right), bottom = static_cast<std::int32_t>(area.bottom);
    // The window centred, and one other place picked by the input, so that
    // a run stays cheap and the mutations still reach every place.
    const zr::ScreenPoint centred{(left + right - 1000) / 2, (top + bottom - 600) / 2};
    const zr::ScreenPoint others[] = {
        {left, top}, {right - 1000, bottom - 600}, {right - 20, bottom - 20}, {kMax, kMax}, {kMin, kMin}};
    const zr::ScreenPoint other = others[(size + pick) % std::size(others)];
    for (const zr::ScreenPoint window : {centred, other}) {
      PlaceEverything(ui.get(), *skin, shipped, window, area);
      PlaceEverything(ui.get(), *skin, fromFile, window, area);
    }
  }
  const zr::AdvancedControlRects& controls = skin->controls;
  for (const zr::PixelRect& rect : {controls.repeatCountEdit, controls.macroNameEdit, controls.macroList, controls.stepList}) {
    RequireClipped(rect, 1000, 600);
    RequireClipped(rect, kMax, kMax);
  }
  return 0;
}
