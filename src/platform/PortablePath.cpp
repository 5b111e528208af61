#include "platform/PortablePath.h"

#include <string>
#include <system_error>

namespace zr {

std::filesystem::path FilePath(std::u16string_view path) {
  std::u16string text(path);
  // Where the system's separator is not the backslash, the backslash is an
  // ordinary character of a name; the paths we are given mean a separator.
  if constexpr (std::filesystem::path::preferred_separator != '\\') {
    for (char16_t& c : text)
      if (c == u'\\') c = u'/';
  }
  return std::filesystem::path(text);
}

std::optional<FileStamp> StampOf(std::u16string_view path) {
  const std::filesystem::path file = FilePath(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  const auto written = std::filesystem::last_write_time(file, error);
  if (error) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error) return std::nullopt;
  return FileStamp{static_cast<std::int64_t>(written.time_since_epoch().count()), size};
}

}  // namespace zr
