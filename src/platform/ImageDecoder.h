// Skin images as the core sees them: 8-bit red, green and blue per pixel,
// whatever decoder the platform has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zr {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// Rows top to bottom, three bytes per pixel (red, green, blue), no padding.
class RgbImage {
 public:
  RgbImage() = default;
  RgbImage(std::int32_t width, std::int32_t height, Rgb fill = {});

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  // The caller keeps x and y inside the image.
  Rgb At(std::int32_t x, std::int32_t y) const {
    const std::uint8_t* p = Row(y) + std::size_t(x) * 3;
    return {p[0], p[1], p[2]};
  }
  void Set(std::int32_t x, std::int32_t y, Rgb colour) {
    std::uint8_t* p = Row(y) + std::size_t(x) * 3;
    p[0] = colour.red;
    p[1] = colour.green;
    p[2] = colour.blue;
  }
  const std::uint8_t* Row(std::int32_t y) const { return pixels_.data() + std::size_t(y) * RowBytes(); }
  std::uint8_t* Row(std::int32_t y) { return pixels_.data() + std::size_t(y) * RowBytes(); }
  std::size_t RowBytes() const { return std::size_t(width_) * 3; }

  bool operator==(const RgbImage&) const = default;

 private:
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<std::uint8_t> pixels_;
};

// Skin images are about a megapixel; a file that claims far more is refused
// rather than allowed to take the memory of the machine.
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 25;

struct FrameSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const FrameSize&) const = default;
};

// The size a JPEG file's frame header declares, read without decoding;
// nullopt when the bytes are not a JPEG or end before the frame header.
// Lets a decoder that would take any size on trust refuse a huge one.
std::optional<FrameSize> JpegFrameSize(std::string_view bytes);

class ImageDecoder {
 public:
  virtual ~ImageDecoder() = default;
  // nullopt when the file is missing, is not an image the decoder reads, or
  // is larger than kMaxImagePixels. Never shows anything to the user.
  virtual std::optional<RgbImage> Decode(std::u16string_view path) = 0;
};

}  // namespace zr
