#include "shared/PlatformUnderTest.h"

#include "platform/native/LibJpegDecoder.h"

namespace zr::test {

std::unique_ptr<FileQueries> MakeFileQueriesUnderTest() { return std::make_unique<PortableFileQueries>(); }

std::u16string SourceTreePath(std::u16string_view relative) {
  const std::string source = ZR_SOURCE_DIR;
  return std::u16string(source.begin(), source.end()) + std::u16string(relative);
}

std::u16string InstallationDataPath(std::u16string_view relative) {
  return SourceTreePath(u"\\data" + std::u16string(relative));
}

std::unique_ptr<ImageDecoder> MakeImageDecoderUnderTest() { return std::make_unique<LibJpegDecoder>(); }

}  // namespace zr::test
