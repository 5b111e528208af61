// The window shape as first built on the window system: the full rectangle,
// each light pixel read with GetPixel and toggled out as a 1 x 1 rectangle by
// exclusive or, column by column. The baseline the fast region is held to.
#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"

namespace zr::test {

inline UniqueRegion PerPixelGdiShape(HDC dc, int width, int height) {
  UniqueRegion region(::CreateRectRgn(0, 0, width, height));
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) {
      const COLORREF c = ::GetPixel(dc, x, y);
      if (GetRValue(c) > 100 && GetGValue(c) > 100 && GetBValue(c) > 100) {
        UniqueRegion dot(::CreateRectRgn(x, y, x + 1, y + 1));
        ::CombineRgn(region.get(), region.get(), dot.get(), RGN_XOR);
      }
    }
  return region;
}

// A memory drawing context with a bitmap selected, put back when it goes.
struct SelectedBitmap {
  explicit SelectedBitmap(UniqueBitmap b) : bitmap(std::move(b)), dc(::CreateCompatibleDC(nullptr)) {
    previous = ::SelectObject(dc.get(), bitmap.get());
  }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;
  ~SelectedBitmap() { ::SelectObject(dc.get(), previous); }
  UniqueBitmap bitmap;
  UniqueMemoryDc dc;
  HGDIOBJ previous = nullptr;
};

}  // namespace zr::test
