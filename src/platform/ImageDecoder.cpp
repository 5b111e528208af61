#include "platform/ImageDecoder.h"

namespace zr {

RgbImage::RgbImage(std::int32_t width, std::int32_t height, Rgb fill)
    : width_(width > 0 && height > 0 ? width : 0), height_(width > 0 && height > 0 ? height : 0) {
  pixels_.resize(std::size_t(width_) * std::size_t(height_) * 3);
  for (std::size_t i = 0; i < pixels_.size(); i += 3) {
    pixels_[i] = fill.red;
    pixels_[i + 1] = fill.green;
    pixels_[i + 2] = fill.blue;
  }
}

std::optional<FrameSize> JpegFrameSize(std::string_view bytes) {
  const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(bytes[at]); };
  if (bytes.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8) return std::nullopt;
  std::size_t at = 2;
  while (at + 4 <= bytes.size()) {
    if (byte(at) != 0xFF) {  // stray bytes between segments: decoders skip them to the next marker
      ++at;
      continue;
    }
    const std::uint8_t marker = byte(at + 1);
    if (marker == 0xFF) {  // fill byte before a marker
      ++at;
      continue;
    }
    if (marker == 0x00) {  // a stuffed zero is data, not a marker
      at += 2;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a length
      at += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // image data before any frame header
    const std::size_t length = std::size_t{byte(at + 2)} << 8 | byte(at + 3);
    if (length < 2) {  // a broken length covers nothing; what follows is read as stray bytes
      at += 4;
      continue;
    }
    const bool frameHeader = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frameHeader) {
      if (length < 7 || at + 9 > bytes.size()) return std::nullopt;
      return FrameSize{std::int32_t{byte(at + 7)} << 8 | byte(at + 8), std::int32_t{byte(at + 5)} << 8 | byte(at + 6)};
    }
    at += 2 + length;
  }
  return std::nullopt;
}

}  // namespace zr
