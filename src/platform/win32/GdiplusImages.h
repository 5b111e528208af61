// Images decoded through GDI+, which runs while at least one image lives.
#pragma once

#include <memory>
#include <string_view>

#include "platform/ImageDecoder.h"
#include "platform/SharedService.h"

namespace Gdiplus {
class Bitmap;
}

namespace zr {

SharedService& GdiplusService();

class GdiplusImage {
 public:
  GdiplusImage(const GdiplusImage&) = delete;
  GdiplusImage& operator=(const GdiplusImage&) = delete;
  ~GdiplusImage();

  // nullptr when the file is missing or cannot be decoded.
  static std::unique_ptr<GdiplusImage> Load(std::u16string_view path);

  int Width() const;
  int Height() const;
  Gdiplus::Bitmap& Bitmap() const { return *bitmap_; }
  // 8-bit red, green, blue; nullopt when GDI+ cannot convert the pixels.
  std::optional<RgbImage> Pixels() const;

 private:
  explicit GdiplusImage(std::unique_ptr<Gdiplus::Bitmap> bitmap);
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
};

// Skin images through GDI+, which starts on the first decode and then stays
// up for as long as the decoder lives, so decoding in every paint does not
// start and stop it each time.
class GdiplusImageDecoder final : public ImageDecoder {
 public:
  GdiplusImageDecoder() = default;
  GdiplusImageDecoder(const GdiplusImageDecoder&) = delete;
  GdiplusImageDecoder& operator=(const GdiplusImageDecoder&) = delete;
  ~GdiplusImageDecoder() override;

  std::optional<RgbImage> Decode(std::u16string_view path) override;

 private:
  bool holdsService_ = false;
};

}  // namespace zr
