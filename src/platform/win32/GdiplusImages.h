// Images decoded through GDI+, which runs while at least one image lives.
#pragma once

#include <memory>
#include <string_view>

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

 private:
  explicit GdiplusImage(std::unique_ptr<Gdiplus::Bitmap> bitmap);
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
};

}  // namespace zr
