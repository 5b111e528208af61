#include "skin/OwnerDrawnMenu.h"

namespace zr {
namespace {

std::uint8_t GradientComponent(std::uint8_t top, std::uint8_t bottom, std::int32_t k, std::int32_t rows) {
  const auto step = static_cast<std::int32_t>(static_cast<double>(bottom - top) / rows);
  const std::int32_t value = top + step * k;
  return static_cast<std::uint8_t>(((value % 256) + 256) % 256);
}

// A raised frame: top and left edges in one colour, right and bottom in the other.
void AppendFrame3d(std::vector<MenuDrawOp>& ops, PixelRect r, Rgb topLeft, Rgb bottomRight) {
  const std::int32_t width = r.right - r.left;
  const std::int32_t height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  using K = MenuDrawOp::Kind;
  ops.push_back({K::Fill, {r.left, r.top, r.right - 1, r.top + 1}, topLeft});
  ops.push_back({K::Fill, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft});
  ops.push_back({K::Fill, {r.right - 1, r.top, r.right, r.bottom}, bottomRight});
  ops.push_back({K::Fill, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight});
}

}  // namespace

MenuItemRecord* MenuRecords::Add(std::u16string text, std::int32_t commandId) {
  if (count_ == records_.size()) return nullptr;
  MenuItemRecord& record = records_[count_++];
  record.text = std::move(text);
  record.commandId = commandId;
  return &record;
}

MenuItemSize MeasureMenuItem(const MenuItemRecord& record) {
  const bool separator = record.commandId == kSeparatorCommand;
  return {static_cast<std::int32_t>(record.text.size()) * kMenuPixelsPerCharacter,
          separator ? 1 : kMenuItemHeight};
}

Rgb SelectionGradientRow(std::int32_t k, std::int32_t rows) {
  if (rows <= 0) return kSelectionTop;
  return {GradientComponent(kSelectionTop.red, kSelectionBottom.red, k, rows),
          GradientComponent(kSelectionTop.green, kSelectionBottom.green, k, rows),
          GradientComponent(kSelectionTop.blue, kSelectionBottom.blue, k, rows)};
}

std::vector<MenuDrawOp> DrawMenuItem(const MenuItemRecord& record, PixelRect item, bool selected) {
  using K = MenuDrawOp::Kind;
  std::vector<MenuDrawOp> ops;
  if (record.commandId == kSeparatorCommand) {
    AppendFrame3d(ops, {item.left + kSeparatorIndent, item.top, item.right, item.bottom}, kSeparatorTopLeft,
                  kSeparatorBottomRight);
    return ops;
  }
  if (!selected) {
    ops.push_back({K::Fill, item, kMenuItemFill});
  } else {
    ops.push_back({K::Outline, item, {}});
    const PixelRect inside{item.left + 1, item.top + 1, item.right - 1, item.bottom - 1};
    const std::int32_t rows = inside.bottom - inside.top;
    for (std::int32_t k = 0; k < rows; ++k)
      ops.push_back({K::Line, {inside.left, inside.top + k, inside.right, inside.top + k + 1},
                     SelectionGradientRow(k, rows)});
  }
  ops.push_back({K::Text, {item.left + kMenuTextIndent, item.top, item.right, item.bottom}, kMenuText});
  return ops;
}

MenuTick MenuCheckTick(PixelRect item) {
  const std::int32_t middle = (item.top + item.bottom) / 2;
  const std::int32_t right = item.right - 8;
  return {{right - 10, right - 6, right}, {middle, middle + 4, middle - 4}};
}

}  // namespace zr
