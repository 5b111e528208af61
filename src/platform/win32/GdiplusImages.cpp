#include "platform/win32/GdiplusImages.h"

#include <windows.h>
// GDI+'s headers use min and max unqualified.
#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <string>

#include "platform/win32/WideText.h"

namespace zr {
namespace {

ULONG_PTR g_gdiplusToken = 0;

bool StartGdiplus() {
  Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread on
  return Gdiplus::GdiplusStartup(&g_gdiplusToken, &input, nullptr) == Gdiplus::Ok;
}

void StopGdiplus() { Gdiplus::GdiplusShutdown(g_gdiplusToken); }

}  // namespace

SharedService& GdiplusService() {
  static SharedService service(StartGdiplus, StopGdiplus);
  return service;
}

GdiplusImage::GdiplusImage(std::unique_ptr<Gdiplus::Bitmap> bitmap) : bitmap_(std::move(bitmap)) {}

GdiplusImage::~GdiplusImage() {
  bitmap_.reset();  // before GDI+ may go
  GdiplusService().Release();
}

std::unique_ptr<GdiplusImage> GdiplusImage::Load(std::u16string_view path) {
  if (!GdiplusService().Acquire()) return nullptr;
  const std::wstring file = Wide(path);
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(file.c_str());
  if (bitmap->GetLastStatus() != Gdiplus::Ok) {
    bitmap.reset();
    GdiplusService().Release();
    return nullptr;
  }
  return std::unique_ptr<GdiplusImage>(new GdiplusImage(std::move(bitmap)));
}

int GdiplusImage::Width() const { return static_cast<int>(bitmap_->GetWidth()); }
int GdiplusImage::Height() const { return static_cast<int>(bitmap_->GetHeight()); }

}  // namespace zr
