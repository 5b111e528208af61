// The system forms every path as a directory plus a literal that starts with a
// backslash. On POSIX the separators become slashes when a file is opened.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace zr {

std::filesystem::path FilePath(std::u16string_view path);

// What tells a replaced file from the one read before: its last-write time,
// and its size for file systems whose clock is coarser than a quick copy.
struct FileStamp {
  std::int64_t lastWrite = 0;
  std::uintmax_t size = 0;
  bool operator==(const FileStamp&) const = default;
};

// nullopt when there is no file at `path`.
std::optional<FileStamp> StampOf(std::u16string_view path);

}  // namespace zr
