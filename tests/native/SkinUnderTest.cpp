#include "shared/SkinUnderTest.h"

#include "platform/Text.h"
#include "platform/native/LibJpegDecoder.h"

namespace zr::test {

std::unique_ptr<ImageDecoder> MakeImageDecoderUnderTest() { return std::make_unique<LibJpegDecoder>(); }

std::u16string SourceTree() { return Utf16FromUtf8(ZR_SOURCE_DIR); }

}  // namespace zr::test
