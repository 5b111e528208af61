// The skin's look for the window's ordinary pop-up menus: the records that
// keep each owner-drawn item's text and command, and what measuring and
// drawing one item amounts to. The shell only executes the drawing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/ImageDecoder.h"

namespace zr {

inline constexpr std::size_t kMenuRecords = 30;
inline constexpr std::int32_t kSeparatorCommand = 0;
inline constexpr std::int32_t kSubMenuCommand = -1;

struct MenuItemRecord {
  std::u16string text;         // as the resource has it, mnemonic markers included
  std::int32_t commandId = 0;  // 0 separator, -1 opens a sub-menu
};

// One converted menu tree in depth-first order; a tree larger than the
// records is not converted beyond them.
class MenuRecords {
 public:
  void Reset() { count_ = 0; }
  // The new record, or nullptr when every record is taken.
  MenuItemRecord* Add(std::u16string text, std::int32_t commandId);
  std::size_t Count() const { return count_; }
  const MenuItemRecord& operator[](std::size_t index) const { return records_[index]; }

 private:
  std::array<MenuItemRecord, kMenuRecords> records_{};
  std::size_t count_ = 0;
};

struct MenuItemSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const MenuItemSize&) const = default;
};

inline constexpr std::int32_t kMenuPixelsPerCharacter = 8;
inline constexpr std::int32_t kMenuItemHeight = 20;
MenuItemSize MeasureMenuItem(const MenuItemRecord& record);

inline constexpr Rgb kMenuItemFill{0, 120, 153};
inline constexpr Rgb kMenuText{255, 255, 255};
inline constexpr Rgb kSelectionTop{0, 0, 255};
inline constexpr Rgb kSelectionBottom{0, 255, 255};
inline constexpr Rgb kSeparatorTopLeft{255, 0, 0};
inline constexpr Rgb kSeparatorBottomRight{0, 0, 255};
inline constexpr std::int32_t kSeparatorIndent = 25;
inline constexpr std::int32_t kMenuTextIndent = 10;

// One drawing operation; the text is always drawn transparently in white.
struct MenuDrawOp {
  enum class Kind : std::uint8_t {
    Fill,     // solid rectangle in `colour`
    Outline,  // rectangle with the context's current pen and brush
    Line,     // one-pixel solid line along rect.top from rect.left to rect.right (excluded)
    Text,     // the item's text, single line, vertically centred in `rect`
  };
  Kind kind = Kind::Fill;
  PixelRect rect;
  Rgb colour;
  bool operator==(const MenuDrawOp&) const = default;
};

std::vector<MenuDrawOp> DrawMenuItem(const MenuItemRecord& record, PixelRect item, bool selected);

// A checked item's tick: three points of a two-pixel line at the item's
// right end, where the trailing blanks of its text leave room.
struct MenuTick {
  std::int32_t x[3];
  std::int32_t y[3];
};
MenuTick MenuCheckTick(PixelRect item);

// The selection's gradient: row k of `rows` from the top. The step per row is
// the colour difference over the rows, truncated once, so the bottom colour
// is usually not reached.
Rgb SelectionGradientRow(std::int32_t k, std::int32_t rows);

}  // namespace zr
