#include "platform/PortablePath.h"

#include <string>

namespace zr {

std::filesystem::path FilePath(std::u16string_view path) {
  std::u16string text(path);
#ifndef _WIN32
  for (char16_t& c : text)
    if (c == u'\\') c = u'/';
#endif
  return std::filesystem::path(text);
}

}  // namespace zr
