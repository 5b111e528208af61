#include "platform/native/LibJpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <jpeglib.h>

#include "platform/PortablePath.h"

namespace zr {
namespace {

// libjpeg reports fatal errors through a callback that must not return;
// jumping back out is its documented way, and the default would end the process.
struct ErrorJump {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Kept free of objects with destructors between setjmp and longjmp.
bool DecodeInto(const unsigned char* data, std::size_t size, RgbImage& image) {
  jpeg_decompress_struct info{};
  ErrorJump error{};
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JumpOnError;
  error.manager.output_message = IgnoreMessage;
  if (setjmp(error.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;  // greyscale and YCbCr files alike
  if (std::int64_t{info.image_width} * info.image_height > kMaxImagePixels) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_start_decompress(&info);
  if (info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  image = RgbImage(static_cast<std::int32_t>(info.output_width), static_cast<std::int32_t>(info.output_height));
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.Row(static_cast<std::int32_t>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

std::optional<RgbImage> DecodeJpegBytes(const unsigned char* data, std::size_t size) {
  if (data == nullptr || size == 0) return std::nullopt;
  RgbImage image;
  if (!DecodeInto(data, size, image)) return std::nullopt;
  return image;
}

std::optional<RgbImage> LibJpegDecoder::Decode(std::u16string_view path) {
  std::ifstream in(FilePath(path), std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return DecodeJpegBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

}  // namespace zr
