#include "app/AppPaths.h"

namespace zr {

std::u16string ApplicationDirectoryFromModulePath(std::u16string_view modulePath) {
  modulePath = modulePath.substr(0, kMaxPath - 1);
  const std::size_t cut = modulePath.rfind(u'\\');
  if (cut == std::u16string_view::npos) return {};
  return std::u16string(modulePath.substr(0, cut));
}

}  // namespace zr
