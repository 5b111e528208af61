// The system forms every path as a directory plus a literal that starts with a
// backslash. On POSIX the separators become slashes when a file is opened.
#pragma once

#include <filesystem>
#include <string_view>

namespace zr {

std::filesystem::path FilePath(std::u16string_view path);

}  // namespace zr
