#include "platform/win32/GdiImages.h"


namespace zr {

SIZE SelectedBitmapSize(HDC dc) {
  BITMAP bitmap{};
  HGDIOBJ selected = ::GetCurrentObject(dc, OBJ_BITMAP);
  if (selected == nullptr || ::GetObjectW(selected, sizeof(bitmap), &bitmap) == 0) return {0, 0};
  return {bitmap.bmWidth, bitmap.bmHeight < 0 ? -bitmap.bmHeight : bitmap.bmHeight};
}

UniqueBitmap MakeDibSection(const RgbImage& image) {
  if (image.Empty()) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image.Width();
  info.bmiHeader.biHeight = -image.Height();  // rows top to bottom, as the image has them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return {};
  const std::size_t stride = (image.RowBytes() + 3) & ~std::size_t{3};  // rows of a section are DWORD-aligned
  for (std::int32_t y = 0; y < image.Height(); ++y) {
    const std::uint8_t* from = image.Row(y);
    auto* to = static_cast<std::uint8_t*>(bits) + std::size_t(y) * stride;
    for (std::int32_t x = 0; x < image.Width(); ++x, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  ::GdiFlush();
  return bitmap;
}

void CopyArea(HDC frame, HDC source, const PixelRect& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  ::StretchBlt(frame, area.left, area.top, width, height, source, area.left, area.top, width, height, SRCCOPY);
}

}  // namespace zr
