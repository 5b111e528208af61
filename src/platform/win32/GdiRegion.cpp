#include "platform/win32/GdiRegion.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "platform/win32/PixelRects.h"

namespace zr {
namespace {

// Some versions of the window system refuse very long rectangle lists, so
// they go over in pieces; the rectangles are disjoint and the pieces simply add up.
constexpr std::size_t kRectsPerPiece = 2000;

UniqueRegion FromRectangles(const PixelRect* rects, std::size_t count) {
  std::vector<std::byte> buffer(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(count);
  data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
  RECT bounds = ToRect(rects[0]);
  auto* out = reinterpret_cast<RECT*>(data->Buffer);
  for (std::size_t k = 0; k < count; ++k) {
    out[k] = ToRect(rects[k]);
    bounds.left = std::min(bounds.left, out[k].left);
    bounds.top = std::min(bounds.top, out[k].top);
    bounds.right = std::max(bounds.right, out[k].right);
    bounds.bottom = std::max(bounds.bottom, out[k].bottom);
  }
  data->rdh.rcBound = bounds;
  return UniqueRegion(::ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
}

}  // namespace

UniqueRegion MakeGdiRegion(const Region& region) {
  const std::vector<PixelRect> rects = region.Rectangles();
  if (rects.empty()) return UniqueRegion(::CreateRectRgn(0, 0, 0, 0));
  UniqueRegion result;
  for (std::size_t first = 0; first < rects.size(); first += kRectsPerPiece) {
    UniqueRegion piece = FromRectangles(rects.data() + first, std::min(kRectsPerPiece, rects.size() - first));
    if (!piece) return {};
    if (!result) {
      result = std::move(piece);
    } else if (::CombineRgn(result.get(), result.get(), piece.get(), RGN_OR) == ERROR) {
      return {};
    }
  }
  return result;
}

}  // namespace zr
