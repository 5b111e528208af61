// Decoded skin images kept between paints. A file is decoded again only when
// its last-write time or size has changed, so a replaced image shows at the
// next repaint while an unchanged one costs a look at the file's stamp.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ImageDecoder.h"
#include "platform/PortablePath.h"

namespace zr {

class SkinImageCache {
 public:
  explicit SkinImageCache(ImageDecoder& decoder) : decoder_(decoder) {}

  // nullptr when the file is missing or does not decode; a file that failed
  // is tried again only once it has changed.
  std::shared_ptr<const RgbImage> Get(std::u16string_view path);

  // Images stay alive while a caller holds them, even once dropped here.
  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    FileStamp stamp;
    std::shared_ptr<const RgbImage> image;
  };
  ImageDecoder& decoder_;
  std::map<std::u16string, Entry, std::less<>> entries_;
};

}  // namespace zr
