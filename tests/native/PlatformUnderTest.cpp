#include "shared/PlatformUnderTest.h"

namespace zr::test {

std::unique_ptr<FileQueries> MakeFileQueriesUnderTest() { return std::make_unique<PortableFileQueries>(); }

std::u16string InstallationDataPath(std::u16string_view relative) {
  const std::string source = ZR_SOURCE_DIR;
  return std::u16string(source.begin(), source.end()) + u"\\data" + std::u16string(relative);
}

}  // namespace zr::test
