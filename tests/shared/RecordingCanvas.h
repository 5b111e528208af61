// A canvas that keeps the operations a paint asks for, with a fixed-pitch
// text measure, so the rules of a paint can be read back without a window.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "skin/Canvas.h"

namespace zr::test {

struct CopyOp {
  SpotSource source;
  PixelRect area;
};
struct FillOp {
  PixelRect area;
  Rgb colour;
};
struct TextOp {
  std::int32_t left, top;
  std::u16string text;
  Rgb colour;
};
using PaintOp = std::variant<CopyOp, FillOp, TextOp>;

class RecordingCanvas final : public Canvas {
 public:
  static constexpr std::int32_t kCharWidth = 7;
  static constexpr std::int32_t kCharHeight = 14;

  void CopySpot(SpotSource source, const PixelRect& area) override { ops.push_back(CopyOp{source, area}); }
  void Fill(const PixelRect& area, Rgb colour) override { ops.push_back(FillOp{area, colour}); }
  TextExtent MeasureText(std::u16string_view text) override {
    return {static_cast<std::int32_t>(text.size()) * kCharWidth, kCharHeight};
  }
  void DrawText(std::int32_t left, std::int32_t top, std::u16string_view text, Rgb colour) override {
    ops.push_back(TextOp{left, top, std::u16string(text), colour});
  }

  template <typename Op>
  std::vector<Op> All() const {
    std::vector<Op> found;
    for (const PaintOp& op : ops)
      if (const Op* o = std::get_if<Op>(&op)) found.push_back(*o);
    return found;
  }

  std::vector<PaintOp> ops;
};

}  // namespace zr::test
