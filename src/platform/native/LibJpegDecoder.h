// JPEG decoding through libjpeg, for builds without GDI+: the native tests
// read the real skin images with it.
#pragma once

#include "platform/ImageDecoder.h"

namespace zr {

class LibJpegDecoder final : public ImageDecoder {
 public:
  std::optional<RgbImage> Decode(std::u16string_view path) override;
};

// The same from bytes in memory.
std::optional<RgbImage> DecodeJpegBytes(const unsigned char* data, std::size_t size);

}  // namespace zr
