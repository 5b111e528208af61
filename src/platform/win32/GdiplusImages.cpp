#include "platform/win32/GdiplusImages.h"

#include "platform/win32/Gdiplus.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/PortablePath.h"
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

std::optional<RgbImage> GdiplusImage::Pixels() const {
  const int width = Width(), height = Height();
  if (width <= 0 || height <= 0 || std::int64_t{width} * height > kMaxImagePixels) return std::nullopt;
  Gdiplus::Rect whole(0, 0, width, height);
  Gdiplus::BitmapData data{};
  if (bitmap_->LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB, &data) != Gdiplus::Ok)
    return std::nullopt;
  RgbImage image(width, height);
  for (int y = 0; y < height; ++y) {
    // GDI+ keeps 24-bit pixels as blue, green, red.
    const auto* from = static_cast<const std::uint8_t*>(data.Scan0) + std::ptrdiff_t{y} * data.Stride;
    std::uint8_t* to = image.Row(y);
    for (int x = 0; x < width; ++x, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  bitmap_->UnlockBits(&data);
  return image;
}

int GdiplusImage::Width() const { return static_cast<int>(bitmap_->GetWidth()); }
int GdiplusImage::Height() const { return static_cast<int>(bitmap_->GetHeight()); }

GdiplusImageDecoder::~GdiplusImageDecoder() {
  if (holdsService_) GdiplusService().Release();
}

std::optional<RgbImage> GdiplusImageDecoder::Decode(std::u16string_view path) {
  // GDI+ takes a frame header's size on trust and may fail badly on a huge
  // one, so the header is looked at first.
  std::ifstream in(FilePath(path), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::optional<FrameSize> size = JpegFrameSize(bytes);
  if (!size || size->width <= 0 || size->height <= 0 ||
      std::int64_t{size->width} * size->height > kMaxImagePixels)
    return std::nullopt;
  if (!holdsService_) holdsService_ = GdiplusService().Acquire();
  const auto image = GdiplusImage::Load(path);
  if (image == nullptr) return std::nullopt;
  return image->Pixels();
}

}  // namespace zr
