#include "shared/PlatformUnderTest.h"

#include <cstdlib>

#include "platform/win32/GdiplusImages.h"
#include "platform/win32/Win32FileQueries.h"

namespace zr::test {

std::unique_ptr<FileQueries> MakeFileQueriesUnderTest() { return std::make_unique<Win32FileQueries>(); }

std::u16string InstallationDataPath(std::u16string_view relative) {
  // The shippable folder when the test command names it, so that what ships
  // is what gets checked; the folders are Unix paths, reached through Z:.
  const char* dist = std::getenv("ZR_DIST_DIR");
  const std::string folder =
      dist != nullptr && *dist != '\0' ? std::string(dist) : std::string(ZR_SOURCE_DIR) + "/data";
  return u"Z:" + std::u16string(folder.begin(), folder.end()) + std::u16string(relative);
}

std::u16string SourceTreePath(std::u16string_view relative) {
  const std::string folder = ZR_SOURCE_DIR;
  return u"Z:" + std::u16string(folder.begin(), folder.end()) + std::u16string(relative);
}

std::unique_ptr<ImageDecoder> MakeImageDecoderUnderTest() { return std::make_unique<GdiplusImageDecoder>(); }

}  // namespace zr::test
