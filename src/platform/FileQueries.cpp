#include "platform/FileQueries.h"

#include <filesystem>
#include <system_error>

#include "platform/PortablePath.h"

namespace zr {

bool PortableFileQueries::Exists(std::u16string_view path) {
  std::error_code error;  // a path that cannot even be examined counts as missing
  return std::filesystem::exists(FilePath(path), error);
}

}  // namespace zr
