// Any bytes as a skin image: the frame-header check that guards the
// decoders, libjpeg's decode, and a window shape from whatever decodes.
// Beyond crashes it checks that a decoded image has the size its header
// declared and that the shape from runs covers exactly the dark pixels.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/native/LibJpegDecoder.h"
#include "skin/MaskShape.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto header = zr::JpegFrameSize(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto image = zr::DecodeJpegBytes(data, size);
  if (!image) return 0;
  Require(header.has_value());
  Require(image->Width() == header->width && image->Height() == header->height);
  if (std::int64_t{image->Width()} * image->Height() > 4096) return 0;  // keep each run quick
  const zr::Region shape = zr::DarkPixelRegion(*image);
  std::int64_t dark = 0;
  for (std::int32_t y = 0; y < image->Height(); ++y)
    for (std::int32_t x = 0; x < image->Width(); ++x) {
      const bool isDark = !zr::IsLightPixel(image->At(x, y));
      dark += isDark;
      Require(shape.Contains(x, y) == isDark);
    }
  Require(shape.Area() == dark);
  return 0;
}
